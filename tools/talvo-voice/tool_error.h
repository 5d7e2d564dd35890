#pragma once
// A failure the user can act on: a bad command line, an input that cannot be read, an output
// that cannot be written. main() prints its text as one line on stderr and exits with 2.
#include <stdexcept>

class ToolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
