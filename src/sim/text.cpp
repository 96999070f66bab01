#include "sim/text.h"

#include <charconv>
#include <sstream>

#include "sim/input_error.h"

namespace sim {

std::vector<InputLine> ReadContentLines(std::istream& in) {
  std::vector<InputLine> lines;
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.find_first_not_of(" \t") == std::string::npos || text[0] == '#') continue;
    lines.push_back({number, text});
  }
  return lines;
}

std::vector<std::string> SplitWords(const std::string& text) {
  std::istringstream stream(text);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

std::int64_t ParseInteger(const std::string& word, std::int64_t low, std::int64_t high,
                          const std::string& where, const std::string& what) {
  std::int64_t value = 0;
  const char* end = word.data() + word.size();
  const auto [ptr, ec] = std::from_chars(word.data(), end, value);
  if (ec != std::errc() || ptr != end) {
    throw InputError(where, what + " must be a whole number, got '" + word + "'");
  }
  if (value < low || value > high) {
    throw InputError(where, what + " must be " + std::to_string(low) + " to " +
                                std::to_string(high) + ", got " + word);
  }
  return value;
}

}  // namespace sim
