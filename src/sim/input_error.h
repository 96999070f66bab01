// A fault in the simulator's input, named by where it is ("line 7", "argument 2").
#pragma once

#include <stdexcept>
#include <string>

namespace sim {

class InputError : public std::runtime_error {
 public:
  InputError(const std::string& where, const std::string& what)
      : std::runtime_error(where + ": " + what) {}
};

inline std::string LineName(int number) {
  return "line " + std::to_string(number);
}

}  // namespace sim
