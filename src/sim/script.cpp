#include "sim/script.h"

#include <string>
#include <vector>

#include "sim/input_error.h"
#include "sim/position.h"
#include "sim/text.h"

namespace sim {
namespace {

// Far beyond any session, and safe from overflow when timers add their intervals.
constexpr std::int64_t kLatestTime = 1'000'000'000'000;

host::ScriptedInput ParseEvent(const std::vector<std::string>& words, const std::string& where) {
  host::ScriptedInput input;
  input.at = ParseInteger(words[1], 0, kLatestTime, where, "time");
  const std::string& event = words.size() > 2 ? words[2] : std::string();
  const std::size_t arity = words.size() - 3;
  auto expect = [&](std::size_t n) {
    if (arity != n) throw InputError(where, "wrong number of words for '" + Shown(event) + "'");
  };
  if (event == "click") {
    expect(0);
    input.kind = host::ScriptedInput::kClick;
  } else if (event == "down" || event == "up") {
    expect(1);
    input.kind = event == "down" ? host::ScriptedInput::kDown : host::ScriptedInput::kUp;
    input.code = static_cast<int>(ParseInteger(words[3], 0, 255, where, "key code"));
  } else if (event == "promoclick") {
    expect(0);
    input.kind = host::ScriptedInput::kPromoClick;
  } else if (event == "focus") {
    expect(1);
    if (words[3] != "main") throw InputError(where, "only 'focus main' is known");
    input.kind = host::ScriptedInput::kFocusMain;
  } else if (event == "close") {
    expect(0);
    input.kind = host::ScriptedInput::kClose;
  } else {
    throw InputError(where, "unknown event '" + Shown(event) + "'");
  }
  return input;
}

void ParseDraws(const std::vector<std::string>& words, const std::string& where,
                host::VirtualSetup& setup) {
  if (words.size() < 2) throw InputError(where, "draws needs at least one kind");
  for (std::size_t i = 1; i < words.size(); ++i) {
    setup.draws.push_back(static_cast<int>(ParseInteger(words[i], 2, 7, where, "kind")));
  }
}

}  // namespace

host::VirtualSetup ParseScript(std::istream& in) {
  host::VirtualSetup setup;
  bool seenSeed = false, seenUntil = false;
  std::int64_t lastLine = 0;
  LineReader reader(in);
  for (InputLine line; reader.Next(line);) {
    lastLine = line.number;
    const std::string where = LineName(line.number);
    const std::vector<std::string> words = SplitWords(line.text);
    const std::string& verb = words[0];
    if (verb == "draws") {
      if (seenSeed) throw InputError(where, "draws and seed cannot both be given");
      ParseDraws(words, where, setup);
    } else if (verb == "seed") {
      if (seenSeed || !setup.draws.empty()) {
        throw InputError(where, "seed cannot be given twice or together with draws");
      }
      if (words.size() != 2) throw InputError(where, "expected 'seed N'");
      setup.seed = static_cast<std::uint32_t>(ParseInteger(words[1], 0, 4294967295, where, "seed"));
      seenSeed = true;
    } else if (verb == "at") {
      if (words.size() < 3) throw InputError(where, "expected 'at T EVENT'");
      const host::ScriptedInput input = ParseEvent(words, where);
      if (!setup.inputs.empty() && input.at < setup.inputs.back().at) {
        throw InputError(where, "time " + Shown(words[1]) + " is earlier than the line before");
      }
      setup.inputs.push_back(input);
    } else if (verb == "until") {
      if (seenUntil) throw InputError(where, "until is given twice");
      if (words.size() != 2) throw InputError(where, "expected 'until T'");
      setup.until = ParseInteger(words[1], 0, kLatestTime, where, "time");
      seenUntil = true;
    } else {
      throw InputError(where, "unknown line '" + Shown(verb) + "'");
    }
  }
  if (!seenSeed && setup.draws.empty()) {
    throw InputError(LineName(lastLine + 1), "the script gives neither draws nor seed");
  }
  if (!setup.until) setup.until = kDefaultUntil;
  return setup;
}

void RunPlay(host::VirtualSetup setup, std::ostream& out) {
  setup.trace = &out;
  host::VirtualHost host(std::move(setup));
  host.Run();
  PrintBoard(out, host.game().board);
}

}  // namespace sim
