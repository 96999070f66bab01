#include "sim/streams.h"

#include <cerrno>
#include <cstring>

namespace sim {
namespace {

std::string Reason(int error) {
  return error ? std::strerror(error) : "unknown error";
}

}  // namespace

CheckedInput::int_type CheckedInput::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  errno = 0;
  const std::size_t got = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  if (got == 0) {
    if (std::ferror(file_)) throw IoError("cannot read the input: " + Reason(errno));
    return traits_type::eof();
  }
  setg(buffer_.data(), buffer_.data(), buffer_.data() + got);
  return traits_type::to_int_type(*gptr());
}

CheckedOutput::CheckedOutput(std::FILE* file) : file_(file) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

void CheckedOutput::Drain() {
  const std::size_t size = static_cast<std::size_t>(pptr() - pbase());
  if (size && error_.empty()) {
    errno = 0;
    if (std::fwrite(pbase(), 1, size, file_) != size) error_ = Reason(errno);
  }
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

CheckedOutput::int_type CheckedOutput::overflow(int_type c) {
  Drain();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

int CheckedOutput::sync() {
  Drain();
  return error_.empty() ? 0 : -1;
}

std::string CheckedOutput::Finish() {
  Drain();
  if (error_.empty()) {
    errno = 0;
    if (std::fflush(file_) != 0 || std::ferror(file_)) error_ = Reason(errno);
  }
  return error_;
}

}  // namespace sim
