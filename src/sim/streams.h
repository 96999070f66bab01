// The simulator's standard input and output as streams that never lose a failure: a read that
// fails is not taken for the end of the input, a write that fails is not taken for success.
#pragma once

#include <array>
#include <cstdio>
#include <stdexcept>
#include <streambuf>
#include <string>

namespace sim {

// The system could not read or write: not a fault of the input.
class IoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads a C stream; throws IoError ("cannot read the input: ...") when reading fails.
class CheckedInput : public std::streambuf {
 public:
  explicit CheckedInput(std::FILE* file) : file_(file) {}

 protected:
  int_type underflow() override;

 private:
  std::FILE* file_;
  std::array<char, 1 << 16> buffer_{};
};

// Writes a C stream through a buffer of its own; after the first failure it keeps the reason
// and drops the rest.
class CheckedOutput : public std::streambuf {
 public:
  explicit CheckedOutput(std::FILE* file);

  // Writes out what is buffered and flushes the stream: empty when every byte reached it, else
  // the system's reason for the first failure.
  std::string Finish();

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  void Drain();

  std::FILE* file_;
  std::array<char, 1 << 16> buffer_{};
  std::string error_;
};

}  // namespace sim
