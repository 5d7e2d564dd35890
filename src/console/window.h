#pragma once

// The job's hold on its window beyond the console: the display state the command line asks for.
class Window {
 public:
  virtual ~Window() = default;
  // 0 normal, 1 minimised, 2 maximised; any other value is refused (false) and changes nothing.
  virtual bool SetWindowState(int state) = 0;
};
