#include "vmodem/pty_link.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace vmodem {
namespace {

[[noreturn]] void ThrowErrno(const std::string& what) {
  throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

PtyLink::PtyLink() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) ThrowErrno("posix_openpt");
  try {
    if (grantpt(master_) != 0) ThrowErrno("grantpt");
    if (unlockpt(master_) != 0) ThrowErrno("unlockpt");
    const char* name = ptsname(master_);
    if (name == nullptr) ThrowErrno("ptsname");
    slave_path_ = name;
    slave_ = open(name, O_RDWR | O_NOCTTY);
    if (slave_ < 0) ThrowErrno("open " + slave_path_);
    // Raw, so no byte of voice data is translated or taken as a control character before the
    // program sets the port up itself.
    termios tio{};
    if (tcgetattr(slave_, &tio) != 0) ThrowErrno("tcgetattr");
    cfmakeraw(&tio);
    if (tcsetattr(slave_, TCSANOW, &tio) != 0) ThrowErrno("tcsetattr");
    const int flags = fcntl(master_, F_GETFL);
    if (flags < 0 || fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) ThrowErrno("fcntl");
  } catch (...) {
    if (slave_ >= 0) close(slave_);
    close(master_);
    throw;
  }
}

PtyLink::~PtyLink() {
  if (!link_.empty()) {
    std::error_code ignored;
    std::filesystem::remove(link_, ignored);
  }
  if (slave_ >= 0) close(slave_);
  if (master_ >= 0) close(master_);
}

void PtyLink::Vanish() {
  close(slave_);
  close(master_);
  slave_ = master_ = -1;
}

void PtyLink::HangUp() {
  if (ioctl(slave_, TIOCVHANGUP) != 0) ThrowErrno("hang up " + slave_path_);
}

void PtyLink::LinkAs(const std::filesystem::path& link) {
  std::error_code error;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(link, error))) {
    std::filesystem::remove(link, error);
  }
  std::filesystem::create_symlink(slave_path_, link, error);
  if (error) throw std::system_error(error, "symlink " + link.string());
  link_ = link;
}

}  // namespace vmodem
