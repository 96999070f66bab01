// Small strict readers for the simulator's line-based inputs.
//
// One notion of text for every reader: a line ends at a line feed, a carriage return before it
// belongs to the end of the line (CRLF), and a UTF-8 byte-order mark at the very start of the
// input is skipped. White space is the space and the other ASCII white space characters of the
// C locale (tab, vertical tab, form feed, carriage return): it separates words, and a line of
// nothing else is blank. Blank lines and lines whose first character is '#' carry no content.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// Longer lines are refused: what a reader holds stays small whatever comes in.
inline constexpr std::size_t kMaxLineBytes = 1 << 20;

struct InputLine {
  std::int64_t number = 0;  // 1-based
  std::string text;         // without its end of line
};

// The lines that carry content, one at a time, read as they are asked for.
class LineReader {
 public:
  explicit LineReader(std::istream& in);

  // The next line that carries content; false at the end of the input. Throws InputError on a
  // line longer than kMaxLineBytes.
  bool Next(InputLine& line);

 private:
  bool Fill();
  void SkipEmptyLines();
  bool ReadLine(std::string& text);

  std::streambuf* source_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0, end_ = 0;
  std::int64_t number_ = 0;  // of the last line read
};

bool IsSpace(char c);

std::vector<std::string> SplitWords(std::string_view text);

// A word as an error message may show it: control characters, invisible or reordering ones
// and bytes that are not UTF-8 escaped (`\x1b`), a backslash doubled, and cut with "..." when
// long. Nothing of the input reaches a terminal as it came.
std::string Shown(std::string_view word);

// The whole word as a decimal integer in [low, high]; throws InputError naming where and what.
std::int64_t ParseInteger(const std::string& word, std::int64_t low, std::int64_t high,
                          const std::string& where, const std::string& what);

}  // namespace sim
