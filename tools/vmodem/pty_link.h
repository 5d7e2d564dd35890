#pragma once
// The modem's end of a pseudo-terminal. The program under test opens the slave as its serial
// port. We hold one descriptor of the slave ourselves for our whole life: without it the
// master reads EIO (a hang-up) every time the program closes the port, and the program does
// close and reopen it.
#include <filesystem>
#include <string>

namespace vmodem {

class PtyLink {
 public:
  // Throws std::system_error when no pseudo-terminal can be had.
  PtyLink();
  ~PtyLink();
  PtyLink(const PtyLink&) = delete;
  PtyLink& operator=(const PtyLink&) = delete;

  // Non-blocking.
  int MasterFd() const { return master_; }
  const std::string& SlavePath() const { return slave_path_; }

  // Ends the line as an unplugged modem does: both our ends close, and the program's reads and
  // writes on the slave fail from then on.
  void Vanish();
  // Hangs the line up: the program's reads on the slave find its end and its writes fail. Needs
  // the right to hang up a terminal (root). Throws std::system_error.
  void HangUp();

  // Makes `link` a symbolic link to the slave (an earlier symbolic link there is replaced);
  // the link goes when this object does. Throws std::system_error.
  void LinkAs(const std::filesystem::path& link);

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slave_path_;
  std::filesystem::path link_;
};

}  // namespace vmodem
