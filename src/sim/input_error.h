// A fault in the simulator's input, named by where it is ("line 7", "argument 2").
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace sim {

class InputError : public std::runtime_error {
 public:
  InputError(const std::string& where, const std::string& what)
      : std::runtime_error(where + ": " + what) {}
};

inline std::string LineName(std::int64_t number) {
  return "line " + std::to_string(number);
}

// The argument at this position of the command line, the program's name being 0.
inline std::string ArgumentName(int position) {
  return "argument " + std::to_string(position);
}

}  // namespace sim
