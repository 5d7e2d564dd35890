#include "computer_identification.h"

#include <cstddef>

#include "adapter_address.h"

namespace {

constexpr std::size_t kComputerNameCapacity = 50;
constexpr std::size_t kVersionBufferSize = 200;

}  // namespace

void GetComputerIdentification(Host& host, std::string& text, std::string& version,
                               std::ostream& err) {
  if (std::optional<std::string> name = host.ComputerName(kComputerNameCapacity)) text = *name;

  host.RunCommand("ver > ver");
  bool read_any = false;
  if (std::unique_ptr<TextFile> file = host.OpenTextFile("ver")) {
    // The version text opens with an empty line; the second read brings the line that matters
    // and, when the file has only one line, finds nothing and leaves the first.
    for (int read = 0; read < 2; ++read) {
      if (std::optional<std::string> line = file->ReadLine(kVersionBufferSize - 1)) {
        version = *line;
        read_any = true;
      }
    }
    file.reset();  // Windows refuses to delete a file that is still open.
  } else {
    err << "****  Cannot open ver file  ****\n\r";
  }
  host.RunCommand("del ver");
  // Where "ver" could not be written (a directory without write access), the system's own
  // answer beats the "Windows" the version buffer starts with.
  if (!read_any) {
    if (std::optional<std::string> own = host.SystemVersionLine()) version = *own;
  }

  std::string address;
  if (GetAdapterAddress(host, address)) text += " " + address;
}
