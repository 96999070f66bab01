// The simulator's readers under a fuzzer: every input is read as a position (then resolved and
// locked) and as a script (then played for a minute of virtual time). Bad input must come back
// as an InputError whose message is one short printable line; anything else is a finding.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "sim/input_error.h"
#include "sim/position.h"
#include "sim/script.h"
#include "sim/text.h"

namespace {

constexpr ui::Millis kLongestSession = 60000;

void CheckMessage(const sim::InputError& error) {
  const std::string message = error.what();
  if (message.size() > 160) std::abort();
  for (const char c : message) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::ostream nowhere(nullptr);
  try {
    std::istringstream in(text);
    const sim::Position position = sim::ParsePosition(in);
    sim::PrintReport(nowhere, sim::RunResolve(position));
    const auto pick = [&](std::size_t low, std::size_t count) {
      return static_cast<int>(low + size % count);
    };
    sim::PrintReport(nowhere,
                     sim::RunLock(position, {pick(1, 6), pick(0, 13), pick(2, 7), pick(1, 7)}));
  } catch (const sim::InputError& error) {
    CheckMessage(error);
  }
  try {
    std::istringstream in(text);
    host::VirtualSetup setup = sim::ParseScript(in);
    setup.until = std::min(setup.until.value_or(kLongestSession), kLongestSession);
    sim::RunPlay(std::move(setup), nowhere);
  } catch (const sim::InputError& error) {
    CheckMessage(error);
  }
  try {
    sim::ParseLockArgs(sim::SplitWords(text.substr(0, 64)), 2);
  } catch (const sim::InputError& error) {
    CheckMessage(error);
  }
  return 0;
}
