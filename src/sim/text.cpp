#include "sim/text.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "sim/input_error.h"

namespace sim {
namespace {

constexpr std::size_t kBufferBytes = 1 << 16;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kMaxShownBytes = 48;

// A block of line feeds: runs of empty lines are skipped a block at a time.
constexpr std::size_t kBlock = 4096;
const std::string kEmptyLines(kBlock, '\n');

bool IsBlank(std::string_view text) {
  for (const char c : text) {
    if (!IsSpace(c)) return false;
  }
  return true;
}

// The length of the UTF-8 sequence at the start of `text` and its code point; length 0 when
// the bytes there are not UTF-8 (overlong forms, surrogates and code points past U+10FFFF
// included).
std::size_t DecodeUtf8(std::string_view text, char32_t& point) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (lead < 0x80) {
    point = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    point = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    point = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = byte(i);
    if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) return 0;
    point = (point << 6) | (next & 0x3F);
  }
  return length;
}

// Characters that a terminal acts on or that hide or reorder the text around them.
bool IsHidden(char32_t point) {
  return point < 0x20 || (point >= 0x7F && point < 0xA0) || (point >= 0x200B && point <= 0x200F) ||
         (point >= 0x2028 && point <= 0x202E) || (point >= 0x2060 && point <= 0x2069) ||
         point == 0xFEFF;
}

std::string Escaped(std::string_view bytes) {
  std::string escaped;
  for (const char c : bytes) {
    char code[5];
    std::snprintf(code, sizeof code, "\\x%02x", static_cast<unsigned char>(c));
    escaped += code;
  }
  return escaped;
}

}  // namespace

LineReader::LineReader(std::istream& in) : source_(in.rdbuf()), buffer_(kBufferBytes) {}

bool LineReader::Fill() {
  pos_ = 0;
  end_ = source_ ? static_cast<std::size_t>(
                       source_->sgetn(buffer_.data(), static_cast<std::streamsize>(kBufferBytes)))
                 : 0;
  return end_ > 0;
}

void LineReader::SkipEmptyLines() {
  for (;;) {
    if (pos_ == end_ && !Fill()) return;
    const char* const start = buffer_.data() + pos_;
    const char* const end = buffer_.data() + end_;
    const char* p = start;
    while (static_cast<std::size_t>(end - p) >= kBlock &&
           std::memcmp(p, kEmptyLines.data(), kBlock) == 0) {
      p += kBlock;
    }
    while (p < end && *p == '\n') ++p;
    number_ += p - start;
    pos_ += static_cast<std::size_t>(p - start);
    if (pos_ < end_) return;
  }
}

bool LineReader::ReadLine(std::string& text) {
  text.clear();
  bool any = false;
  for (;;) {
    if (pos_ == end_ && !Fill()) {
      if (!any) return false;
      ++number_;  // the last line, without a line feed
      return true;
    }
    any = true;
    const char* const start = buffer_.data() + pos_;
    const std::size_t available = end_ - pos_;
    const void* const feed = std::memchr(start, '\n', available);
    const std::size_t length =
        feed ? static_cast<std::size_t>(static_cast<const char*>(feed) - start) : available;
    if (text.size() + length > kMaxLineBytes) {
      throw InputError(LineName(number_ + 1),
                       "the line is longer than " + std::to_string(kMaxLineBytes) + " bytes");
    }
    text.append(start, length);
    pos_ += length;
    if (feed) {
      ++pos_;
      ++number_;
      return true;
    }
  }
}

bool LineReader::Next(InputLine& line) {
  for (;;) {
    SkipEmptyLines();
    if (!ReadLine(line.text)) return false;
    line.number = number_;
    if (line.number == 1 && line.text.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0) {
      line.text.erase(0, kByteOrderMark.size());
    }
    if (!line.text.empty() && line.text.back() == '\r') line.text.pop_back();
    if (IsBlank(line.text) || line.text[0] == '#') continue;
    return true;
  }
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

std::vector<std::string> SplitWords(std::string_view text) {
  std::vector<std::string> words;
  std::size_t i = 0;
  for (;;) {
    while (i < text.size() && IsSpace(text[i])) ++i;
    if (i == text.size()) return words;
    const std::size_t start = i;
    while (i < text.size() && !IsSpace(text[i])) ++i;
    words.emplace_back(text.substr(start, i - start));
  }
}

std::string Shown(std::string_view word) {
  std::string shown;
  for (std::size_t i = 0; i < word.size();) {
    char32_t point = 0;
    const std::size_t length = DecodeUtf8(word.substr(i), point);
    const std::size_t taken = length ? length : 1;
    std::string piece;
    if (word[i] == '\\') {
      piece = "\\\\";
    } else if (length && !IsHidden(point)) {
      piece = word.substr(i, length);
    } else {
      piece = Escaped(word.substr(i, taken));
    }
    if (shown.size() + piece.size() > kMaxShownBytes) return shown + "...";
    shown += piece;
    i += taken;
  }
  return shown;
}

std::int64_t ParseInteger(const std::string& word, std::int64_t low, std::int64_t high,
                          const std::string& where, const std::string& what) {
  std::int64_t value = 0;
  const char* end = word.data() + word.size();
  const auto [ptr, ec] = std::from_chars(word.data(), end, value);
  if (ptr != end || (ec != std::errc() && ec != std::errc::result_out_of_range)) {
    throw InputError(where, what + " must be a whole number, got '" + Shown(word) + "'");
  }
  if (ec == std::errc::result_out_of_range || value < low || value > high) {
    throw InputError(where, what + " " + Shown(word) + " is out of range " + std::to_string(low) +
                                " to " + std::to_string(high));
  }
  return value;
}

}  // namespace sim
