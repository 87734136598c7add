// A monitor log that appends every line to a list the test reads.
#pragma once

#include "monitor/log.h"

#include <string>
#include <vector>

namespace monitor_test {

class LogInto : public monitor::Log {
 public:
  explicit LogInto(std::vector<std::string>& lines) : lines_(lines) {}
  void Line(const std::string& line) override { lines_.push_back(line); }

 private:
  std::vector<std::string>& lines_;
};

}  // namespace monitor_test
