#include "stdio_text_file.h"

#include <climits>
#include <vector>

namespace {

class StdioTextFile final : public TextFile {
 public:
  explicit StdioTextFile(std::FILE* stream) : stream_(stream) {}
  ~StdioTextFile() override { std::fclose(stream_); }
  StdioTextFile(const StdioTextFile&) = delete;
  StdioTextFile& operator=(const StdioTextFile&) = delete;

  std::optional<std::string> ReadLine(std::size_t max_chars) override {
    if (max_chars >= INT_MAX) max_chars = INT_MAX - 1;
    std::vector<char> buffer(max_chars + 1);
    if (std::fgets(buffer.data(), static_cast<int>(buffer.size()), stream_) == nullptr) {
      return std::nullopt;
    }
    return std::string(buffer.data());
  }

 private:
  std::FILE* stream_;
};

}  // namespace

std::unique_ptr<TextFile> OpenStdioTextFile(const std::string& name, const char* mode) {
  std::FILE* stream = std::fopen(name.c_str(), mode);
  if (stream == nullptr) return nullptr;
  return std::make_unique<StdioTextFile>(stream);
}
