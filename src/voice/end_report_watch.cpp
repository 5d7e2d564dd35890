#include "voice/end_report_watch.h"

#include "voice/dle_scan.h"

bool EndReportWatch::Feed(std::string_view bytes) {
  bool ended = false;
  for (const char c : bytes) {
    if (open_dle_) {
      open_dle_ = false;
      ended = c == 's' || c == 'q';
    } else {
      open_dle_ = c == kDle;
      ended = false;
    }
  }
  return ended;
}
