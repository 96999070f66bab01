// What an error message may show of a word: printable UTF-8 as it came, anything a terminal could
// act on, anything invisible and anything that is not UTF-8 escaped byte by byte.
#include "sim/text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every byte as \xNN: four printable ASCII characters a byte, nothing a terminal acts on.
bool AllEscaped(const std::string& word, const std::string& shown) {
  if (shown.size() != 4 * word.size()) return false;
  for (std::size_t i = 0; i < shown.size(); i += 4) {
    if (shown.compare(i, 2, "\\x") != 0) return false;
    if (std::stoi(shown.substr(i + 2, 2), nullptr, 16) != static_cast<unsigned char>(word[i / 4]))
      return false;
  }
  return true;
}

TEST(SimShown, PrintableUtf8StaysAndEverythingElseIsEscaped) {
  // At the edges of each range: the lead bytes, the second bytes' limits, the hidden blocks.
  const std::string kept =
      "~ \xc2\xa0 \xc2\xa9 \xdf\xbf \xe0\xa0\x80 \xe1\x80\x80 \xed\x9f\xbf \xe2\x80\x8a "
      "\xe2\x80\x90 \xe2\x80\xa7 \xe2\x80\xaf \xe2\x81\x9f \xe2\x81\xaa \xef\xbb\xbe "
      "\xf0\x90\x80\x80 \xf4\x8f\xbf\xbf";
  const std::string hidden =
      "\x1f \x7f \x80 \xc2\x9f \xc1\xbf \xc2 \xe0\x9f\xbf \xed\xa0\x80 \xe2\x80\x8b \xe2\x80\x8f "
      "\xe2\x80\xa8 \xe2\x80\xae \xe2\x81\xa0 \xe2\x81\xa9 \xef\xbb\xbf \xf0\x8f\xbf\xbf "
      "\xf4\x90\x80\x80 \xf5\x80\x80\x80";
  for (const std::string& word : sim::SplitWords(kept))
    EXPECT_EQ(sim::Shown(word), word);
  for (const std::string& word : sim::SplitWords(hidden))
    EXPECT_TRUE(AllEscaped(word, sim::Shown(word))) << sim::Shown(word);
  EXPECT_EQ(sim::SplitWords(kept).size() + sim::SplitWords(hidden).size(), 34U);
  EXPECT_EQ(sim::Shown("a\\b"), "a\\\\b");
  EXPECT_EQ(sim::Shown(std::string(60, 'x')), std::string(48, 'x') + "...");
}

}  // namespace
