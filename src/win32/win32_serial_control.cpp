#include "win32/win32_serial_control.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "modem/line_settings.h"
#include "win32/win32_com_port.h"

namespace {

// The most bytes one read takes.
constexpr DWORD kChunk = 4096;
// Closing gives up on a line that has taken nothing for this long.
constexpr ULONGLONG kDrainPatienceMs = 1000;

HANDLE NewEvent() {
  return CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

}  // namespace

Win32SerialControl::Win32SerialControl()
    : read_{NewEvent()}, write_{NewEvent()}, drained_{NewEvent()}, chunk_(kChunk) {}

Win32SerialControl::~Win32SerialControl() {
  SetPortOpen(false);
  for (HANDLE event : Events()) CloseHandle(event);
}

std::array<HANDLE, 3> Win32SerialControl::Events() const {
  return {read_.event, write_.event, drained_.event};
}

bool Win32SerialControl::SetCommPort(int port) {
  if (PortOpen() || port < 1) return false;
  const std::string variable = "TALVO_COM" + std::to_string(port);
  device_ = ComDevicePath(port, std::getenv(variable.c_str()));
  name_ = "COM" + std::to_string(port) + " (" + device_ + ")";
  return true;
}

bool Win32SerialControl::SetPortOpen(bool open) {
  if (!open) {
    Close();
    return true;
  }
  if (PortOpen()) return true;
  if (device_.empty() || lost_) return false;
  port_ = CreateFileA(device_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                      FILE_FLAG_OVERLAPPED, nullptr);
  if (!PortOpen()) return Refuse(GetLastError());
  // No time-outs: a read waits until it has what it asked for, a write until all has gone.
  COMMTIMEOUTS no_timeouts{};
  if (!SetupComm(port_, kBufferSize, kBufferSize) || !Apply(settings_) ||
      !SetCommTimeouts(port_, &no_timeouts) || !SetCommMask(port_, EV_TXEMPTY)) {
    const DWORD error = GetLastError();
    CloseHandle(port_);
    port_ = INVALID_HANDLE_VALUE;
    return Refuse(error);
  }
  opened_ = true;
  StartRead();
  return true;
}

bool Win32SerialControl::Apply(std::string_view settings) {
  const std::optional<LineSettings> parsed = ParseLineSettings(settings);
  if (!parsed) return false;
  if (!PortOpen()) return true;
  DCB dcb = ComDcb(*parsed);
  return SetCommState(port_, &dcb) != 0;
}

bool Win32SerialControl::SetSettings(std::string_view settings) {
  if (!Apply(settings)) return false;
  settings_ = std::string(settings);
  return true;
}

int Win32SerialControl::InBufferCount() {
  if (!PortOpen()) return 0;
  Service();
  return static_cast<int>(received_.size());
}

std::string Win32SerialControl::Input() {
  if (!PortOpen()) return {};
  Service();
  std::size_t take = received_.size();
  if (input_len_ > 0) take = std::min<std::size_t>(take, static_cast<std::size_t>(input_len_));
  std::string bytes = received_.substr(0, take);
  received_.erase(0, take);
  StartRead();  // there is room again
  return bytes;
}

void Win32SerialControl::Output(std::string_view bytes) {
  if (!PortOpen() || lost_) return;
  Service();
  queued_.append(bytes);
  StartWrite();
}

int Win32SerialControl::OutBufferCount() {
  if (!PortOpen()) return 0;
  Service();
  COMSTAT status{};
  DWORD errors = 0;
  if (!ClearCommError(port_, &errors, &status)) lost_ = true;
  if (status.cbOutQue > 0 && !write_.pending) WaitForDriverDrained();
  // Some drivers count the write in flight in cbOutQue and some do not: the larger counts it once.
  const std::size_t in_flight = std::max<std::size_t>(sending_.size(), status.cbOutQue);
  return static_cast<int>(queued_.size() + in_flight);
}

void Win32SerialControl::Service() {
  if (!PortOpen()) return;
  DWORD bytes = 0;
  while (Completed(read_, bytes)) {
    if (bytes == 0) lost_ = true;  // without time-outs, only the end of the line
    received_.append(chunk_.data(), bytes);
    StartRead();
  }
  if (Completed(write_, bytes)) {
    // A write ends having sent everything unless it failed; what it did not send goes first.
    queued_.insert(0, sending_, bytes);
    sending_.clear();
    StartWrite();
  }
  Completed(drained_, bytes);
  for (Operation* op : {&read_, &write_, &drained_}) {
    if (!op->pending) ResetEvent(op->event);
  }
}

bool Win32SerialControl::Completed(Operation& op, DWORD& bytes) {
  if (!op.pending || !HasOverlappedIoCompleted(&op.overlapped)) return false;
  op.pending = false;
  bytes = 0;
  if (!GetOverlappedResult(port_, &op.overlapped, &bytes, FALSE)) lost_ = true;
  return true;
}

void Win32SerialControl::Started(Operation& op, BOOL started) {
  if (started || GetLastError() == ERROR_IO_PENDING) {
    op.pending = true;
  } else {
    lost_ = true;
  }
}

void Win32SerialControl::StartRead() {
  const std::size_t room = kBufferSize - received_.size();
  if (lost_ || read_.pending || room == 0) return;
  COMSTAT status{};
  DWORD errors = 0;
  if (!ClearCommError(port_, &errors, &status)) {
    lost_ = true;
    return;
  }
  const DWORD want = std::clamp<DWORD>(status.cbInQue, 1, std::min<std::size_t>(room, kChunk));
  read_.overlapped = OVERLAPPED{};
  read_.overlapped.hEvent = read_.event;
  Started(read_, ReadFile(port_, chunk_.data(), want, nullptr, &read_.overlapped));
}

void Win32SerialControl::StartWrite() {
  if (lost_ || write_.pending || queued_.empty()) return;
  sending_.swap(queued_);
  write_.overlapped = OVERLAPPED{};
  write_.overlapped.hEvent = write_.event;
  Started(write_, WriteFile(port_, sending_.data(), static_cast<DWORD>(sending_.size()), nullptr,
                            &write_.overlapped));
}

void Win32SerialControl::WaitForDriverDrained() {
  if (lost_ || drained_.pending) return;
  drained_.overlapped = OVERLAPPED{};
  drained_.overlapped.hEvent = drained_.event;
  Started(drained_, WaitCommEvent(port_, &comm_events_, &drained_.overlapped));
}

bool Win32SerialControl::Drain() {
  // Bytes still queued (a DLE ETX, a hang-up) must reach the modem before the port goes.
  int left = OutBufferCount();
  ULONGLONG progress_at = GetTickCount64();
  while (left > 0 && !lost_) {
    const ULONGLONG waited = GetTickCount64() - progress_at;
    if (waited >= kDrainPatienceMs) return false;
    const HANDLE events[] = {write_.event, drained_.event};
    WaitForMultipleObjects(2, events, FALSE, static_cast<DWORD>(kDrainPatienceMs - waited));
    const int now = OutBufferCount();
    if (now < left) progress_at = GetTickCount64();
    left = now;
  }
  return left == 0;
}

void Win32SerialControl::Close() {
  if (!PortOpen()) return;
  // A modem that stopped reading would keep the rest for ever: it is dropped, so that the close
  // does not wait on it. Only then: a pseudo-terminal's driver (under Wine) would also drop the
  // bytes it holds that its reader has yet to take.
  if (lost_ || !Drain()) PurgeComm(port_, PURGE_TXABORT | PURGE_TXCLEAR);
  CancelIo(port_);  // the read always in flight, and any wait
  for (Operation* op : {&read_, &write_, &drained_}) {
    DWORD ignored = 0;
    // The system writes into the OVERLAPPED and the buffers until the I/O has ended.
    if (op->pending) GetOverlappedResult(port_, &op->overlapped, &ignored, TRUE);
    op->pending = false;
    ResetEvent(op->event);
  }
  EscapeCommFunction(port_, CLRDTR);  // DTR dropped hangs the modem up
  CloseHandle(port_);
  port_ = INVALID_HANDLE_VALUE;
  received_.clear();
  sending_.clear();
  queued_.clear();
}

bool Win32SerialControl::Refuse(DWORD error) {
  // A port that was ours once and cannot be had again has gone away.
  if (opened_) lost_ = true;
  std::fprintf(stderr, "talvo: %s: %s\n", name_.c_str(), DescribeOpenError(error).c_str());
  return false;
}
