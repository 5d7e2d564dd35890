#include "voice/result_file.h"

#include <string>

#include "console/term_write.h"
#include "platform/file_write.h"

void WriteResultFile(JobContext& ctx, std::string_view bytes) {
  if (WriteWholeFile(ctx.dir, "talvin_" + ctx.v.JobId, bytes)) {
    TermWrite(ctx.term, "****  Error Writing File  ****\r");
  }
}
