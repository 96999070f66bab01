// Small strict readers for the simulator's line-based inputs.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace sim {

struct InputLine {
  int number = 0;  // 1-based
  std::string text;
};

// The lines that carry content: blank lines and lines starting with '#' are dropped, a trailing
// carriage return is removed.
std::vector<InputLine> ReadContentLines(std::istream& in);

std::vector<std::string> SplitWords(const std::string& text);

// The whole word as a decimal integer in [low, high]; throws InputError naming where and what.
std::int64_t ParseInteger(const std::string& word, std::int64_t low, std::int64_t high,
                          const std::string& where, const std::string& what);

}  // namespace sim
