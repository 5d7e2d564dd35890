#pragma once
// The ways a job's phases end it. Every job leaves three files named by the job identifier: the
// result file "talvin_" (an outcome marker, or the recording), the empty completion marker
// "talvin2_", created only once the result file is complete, and "trace_", the console text.
// The endings write them and terminate the program; none of them returns. Implementations
// override the private members, which must not return either.
#include <cstdlib>
#include <string_view>

class Endings {
 public:
  virtual ~Endings() = default;

  // Prints `console_line` + CR unless it is empty, then makes "$" + text + "$" CR LF the only
  // line of the result file, which the ending writes: a later marker replaces an earlier one.
  virtual void WriteOutcomeMarker(std::string_view text, std::string_view console_line) = 0;

  // Resets and hangs up the modem, then finishes the job files and terminates.
  [[noreturn]] void EndSequence() {
    RunEndSequence();
    std::abort();  // an ending that returned would let an ended job run on
  }
  // The modem did not answer in time: "$D$".
  [[noreturn]] void NoResponseEnding() {
    RunNoResponseEnding();
    std::abort();
  }
  // The serial port could not be opened: "$F$".
  [[noreturn]] void BusyEnding() {
    RunBusyEnding();
    std::abort();
  }
  // The modem's device went away (unplugged, hung up): "$D$", and no more modem commands. In
  // the middle of an ending, the outcome already written stands.
  [[noreturn]] void LostEnding() {
    RunLostEnding();
    std::abort();
  }

 private:
  virtual void RunEndSequence() = 0;
  virtual void RunNoResponseEnding() = 0;
  virtual void RunBusyEnding() = 0;
  virtual void RunLostEnding() = 0;
};
