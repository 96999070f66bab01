// What the game asks of the windowing toolkit and the operating system. The game code sees only
// this; a host (the SDL window or the virtual clock) provides it.
#pragma once

#include <cstdint>
#include <string_view>

namespace ui {

using Millis = std::int64_t;

// Thrown by EndProgram: unwinds every handler and pump at once, so nothing runs after a close.
struct ProgramEnded {};

struct ScreenMetrics {
  int widthTwips = 15 * 1920;
  int heightTwips = 15 * 1080;
  double twipsPerPixelX = 15;
  double twipsPerPixelY = 15;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since start-up.
  virtual Millis NowMs() const = 0;
};

class Platform : public Clock {
 public:
  // Delivers what is pending now and returns at once.
  virtual void DoEvents() = 0;
  // Delivers what is pending; where nothing is, waits until something can be delivered.
  virtual void WaitEvents() = 0;

  // A uniform draw in [0, 1).
  virtual double Rnd() = 0;
  // Seeds the generator once per run.
  virtual void Randomize() = 0;

  virtual bool PrevInstance() = 0;
  // Modal; returns when the box is closed.
  virtual void MsgBox(std::string_view text, std::string_view title) = 0;
  virtual ScreenMetrics Screen() const = 0;
  // Opens a web address in the user's browser without waiting; failures are ignored.
  virtual void ShellOpen(std::string_view address) = 0;

  [[noreturn]] static void EndProgram() { throw ProgramEnded{}; }
};

}  // namespace ui
