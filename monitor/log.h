// Where the monitor's logic writes its lines: the window's log list (also
// echoed to standard output in debug mode). Tests record the lines.
#pragma once

#include <string>

namespace monitor {

class Log {
 public:
  virtual ~Log() = default;
  // Appends one line.
  virtual void Line(const std::string& line) = 0;
};

}  // namespace monitor
