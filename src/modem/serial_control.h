#pragma once
#include <string>
#include <string_view>

// The serial control the job talks to the modem through. Its members are the properties the
// job reads and writes; each character of a string carries one byte (0-255), never translated.
// Setters report whether the control accepted the value; a refused value leaves the control
// as it was, and the job decides whether that matters.
class SerialControl {
 public:
  virtual ~SerialControl() = default;

  // Selects COMn; only while the port is closed. A number that names no port is refused.
  virtual bool SetCommPort(int port) = 0;
  // true opens the selected port (fails when it is missing or another program holds it);
  // false closes it, after what is queued has left, unless the line stops taking it: closing
  // must not wait on a modem that stopped reading.
  virtual bool SetPortOpen(bool open) = 0;
  virtual bool PortOpen() const = 0;
  // "speed,parity,data bits,stop bits" as LineSettings reads it, e.g. "19200,n,8,1"; in force
  // at once while open.
  virtual bool SetSettings(std::string_view settings) = 0;
  virtual std::string Settings() const = 0;

  virtual int InBufferSize() const = 0;
  virtual int OutBufferSize() const = 0;
  // Received bytes waiting to be read.
  virtual int InBufferCount() = 0;
  // The most bytes the next Input() takes.
  virtual void SetInputLen(int len) = 0;
  // Removes and returns up to InputLen waiting bytes (all of them when InputLen is 0).
  virtual std::string Input() = 0;
  // Queues bytes for sending and returns at once. Bytes written while the port is closed go
  // nowhere: they are not kept for later.
  virtual void Output(std::string_view bytes) = 0;
  // Queued bytes not yet sent.
  virtual int OutBufferCount() = 0;
  // The device has gone: it failed a read or a write, hung up or reached its end, or could not
  // be opened again. A lost port stays lost.
  virtual bool Lost() = 0;
};
