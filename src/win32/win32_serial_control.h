#pragma once
// The serial control over the Win32 comm API. COMn is the device TALVO_COM<n> names ("COM12" or
// "\\.\COM12"), else \\.\COMn, opened exclusively: Windows refuses a port that another program
// has open, so no lock file is needed. A port that cannot be had says why on stderr.
//
// All I/O is overlapped, so nothing here ever blocks the job's thread, and each operation sets
// an event of its own when it completes; the event pump sleeps on those events (Events) and
// calls Service, which takes in what completed and starts what comes next. The read: one read
// is always in flight while the port is open. With no read time-outs set, a read ends only once
// it has all it asked for; so it asks for what the driver already holds (ClearCommError's
// cbInQue), which ends at once, or for one byte when the driver holds none, which ends as soon
// as the next byte arrives. What arrives waits in memory for Input, up to the buffer size;
// beyond it no read is started until Input makes room, and the driver's buffer and the RTS
// handshake hold the rest back. The write: Output hands bytes to one write in flight and queues
// what comes while it is. OutBufferCount counts the queue, the write in flight and the driver's
// own queue (cbOutQue); while only the driver holds bytes, a WaitCommEvent for EV_TXEMPTY is the
// event that tells when they have left. Closing waits for the queued bytes to leave until a
// second passes without progress; only what is left then is purged, since a purge also drops
// what a pseudo-terminal holds for its reader.
//
// A read, write or status query that fails means the device has gone (a USB modem unplugged,
// the line hung up): the port is lost for good, and so is a port that was open once and cannot
// be opened again. A read that ends with nothing, which without time-outs only the end of the
// line can cause, is lost too.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "modem/serial_control.h"

class Win32SerialControl final : public SerialControl {
 public:
  Win32SerialControl();
  ~Win32SerialControl() override;
  Win32SerialControl(const Win32SerialControl&) = delete;
  Win32SerialControl& operator=(const Win32SerialControl&) = delete;

  bool SetCommPort(int port) override;
  bool SetPortOpen(bool open) override;
  bool PortOpen() const override { return port_ != INVALID_HANDLE_VALUE; }
  bool SetSettings(std::string_view settings) override;
  std::string Settings() const override { return settings_; }
  int InBufferSize() const override { return kBufferSize; }
  int OutBufferSize() const override { return kBufferSize; }
  int InBufferCount() override;
  void SetInputLen(int len) override { input_len_ = len; }
  std::string Input() override;
  void Output(std::string_view bytes) override;
  int OutBufferCount() override;
  bool Lost() override { return lost_; }

  // The manual-reset events that the port's I/O sets when it completes. They stay reset while
  // the port is closed.
  std::array<HANDLE, 3> Events() const;
  // Takes in the I/O that has completed and starts the next; it leaves set only the events of
  // I/O that completed since.
  void Service();

 private:
  static constexpr int kBufferSize = 32000;

  struct Operation {
    HANDLE event;
    OVERLAPPED overlapped{};
    bool pending = false;
  };

  // Puts `settings` in force while the port is open; false for a malformed text or
  // settings the driver refused.
  bool Apply(std::string_view settings);
  void StartRead();
  void StartWrite();
  // Starts a wait for the driver's output queue to empty, unless one is in flight.
  void WaitForDriverDrained();
  // Starts `op`: `started` is what the call that starts it returned.
  void Started(Operation& op, BOOL started);
  // Whether `op` was in flight and has completed; `bytes` is how many it moved.
  bool Completed(Operation& op, DWORD& bytes);
  // Hands queued bytes to the line until none is left (true) or a second passes without
  // progress (false).
  bool Drain();
  void Close();
  // Says on stderr why the port cannot be had, and returns false.
  bool Refuse(DWORD error);

  HANDLE port_ = INVALID_HANDLE_VALUE;
  Operation read_;
  Operation write_;
  Operation drained_;
  DWORD comm_events_ = 0;    // what the EV_TXEMPTY wait reports
  std::vector<char> chunk_;  // what the read in flight fills
  std::string received_;     // arrived, not yet taken by Input
  std::string sending_;      // the write in flight
  std::string queued_;       // written while a write was in flight
  std::string device_;
  std::string name_;     // "COM3 (\\.\COM12)", for messages
  bool opened_ = false;  // the port was ours at least once
  bool lost_ = false;
  std::string settings_ = "9600,n,8,1";
  int input_len_ = 0;
};
