#include "voice/result_file.h"

#include <string>

#include "console/term_write.h"
#include "platform/file_write.h"

void WriteResultFile(const std::filesystem::path& dir, const std::string& job_id, TextBox& term,
                     std::string_view bytes) {
  if (WriteWholeFile(dir, "talvin_" + job_id, bytes)) {
    TermWrite(term, "****  Error Writing File  ****\r");
  }
}
