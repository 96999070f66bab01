// `quillmere-sim play`: a script of timed inputs in, the session's trace and final board out.
#pragma once

#include <istream>
#include <ostream>

#include "host/virtual_host.h"

namespace sim {

inline constexpr ui::Millis kDefaultUntil = 600000;

// Reads the script line by line, keeping only the parsed inputs. Throws InputError naming the
// line at fault.
host::VirtualSetup ParseScript(std::istream& in);

// Runs the session, writing its trace and then the final board to out.
void RunPlay(host::VirtualSetup setup, std::ostream& out);

}  // namespace sim
