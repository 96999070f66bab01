// The whole state of one game session in one object: the board, the pair, the counters, the
// flags and the two windows. Procedures of every room take it by reference, so a test can run as
// many independent sessions as it likes.
//
// Values follow the game's own conventions: flags are -1 for set and 0 for clear (gameActive is
// 1 or 0), cell codes are 0 outside, 1 empty, 2 to 7 the kinds, 8 the special cell, 9 wall.
#pragma once

#include <array>
#include <vector>

#include "ui/forms.h"
#include "ui/platform.h"

namespace game {

inline constexpr int kSet = -1;
inline constexpr int kClear = 0;

inline constexpr int kOutside = 0;
inline constexpr int kEmpty = 1;
inline constexpr int kSeed = 2;
inline constexpr int kLastStage = 7;
inline constexpr int kSpecial = 8;
inline constexpr int kWall = 9;

inline constexpr int kBoardColumns = 9;  // 0 to 8
inline constexpr int kBoardRows = 15;    // 0 to 14
inline constexpr int kFieldColumns = 6;  // 1 to 6
inline constexpr int kFieldRows = 12;    // 1 to 12; row 0 is the hidden entry row
inline constexpr int kFloorRow = 13;
inline constexpr int kEntryColumn = 3;

// Indexed board[column][row].
using Board = std::array<std::array<int, kBoardRows>, kBoardColumns>;

inline constexpr int kScanStarts = 44;
struct ScanTable {
  std::array<int, kScanStarts + 1> x{};  // the last slot stays 0
  std::array<int, kScanStarts + 1> y{};
};

struct MatchEntry {
  int x = 0;
  int y = 0;
  int mark = 0;  // 1: empty the cell; otherwise the code it grows into
};

struct GroupEntry {
  int x = 0;
  int y = 0;
};

inline constexpr int kMaxScore = 32767;

// Moments that observers (the simulator's trace) want to see; no game rule depends on them.
class GameEvents {
 public:
  virtual ~GameEvents() = default;
  virtual void GameStarted() {}
  virtual void PairLocked(int /*column*/, int /*row*/, int /*lower*/, int /*upper*/) {}
  virtual void GameOver() {}
};

struct Module1 {
  explicit Module1(ui::Platform& host);
  Module1(const Module1&) = delete;
  Module1& operator=(const Module1&) = delete;

  ui::Platform& platform;
  GameEvents noEvents;
  GameEvents* events = &noEvents;

  ui::PictureSet pictures;
  ui::Form1 form1;
  ui::FrmCM frmCM;

  // Start-up and configuration.
  int promoPending = kSet;
  int gameActive = 0;
  Board board{};
  std::array<int, 4> dropInterval{};
  std::array<int, 4> keyBinding{};

  // The board's scan tables.
  ScanTable upRight;
  ScanTable upLeft;

  // Line matching: one pass's lists; they grow as a dense board needs.
  int runSteps = 0;
  std::vector<MatchEntry> matches;
  int matchCount = 0;
  int score = 0;

  // Group clearing.
  std::vector<GroupEntry> group;
  int groupCount = 0;

  // The falling pair and the next one.
  int pieceX = 0, pieceY = 0, pieceLower = 0, pieceUpper = 0;
  int nextLower = 0, nextUpper = 0;
  int speedLevel = 0;
  int tickRunning = kClear;

  // Pauses.
  int waitPending = kClear;
  int waitActionPending = kClear;

  // Seasons.
  int season = 0;
  int seasonChanged = kClear;
};

}  // namespace game
