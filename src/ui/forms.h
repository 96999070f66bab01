// The two windows as designed: every control named as the game's code names it.
#pragma once

#include <array>
#include <deque>
#include <string>

#include "ui/controls.h"

namespace ui {

inline constexpr int kMainClientWidth = 320;
inline constexpr int kMainClientHeight = 400;
inline constexpr int kCellPixels = 24;

// The shared picture objects of the game; hosts find their pixels by name.
struct PictureSet {
  PictureSet();
  PictureRef window, icon, start, promo;
  std::array<PictureRef, 9> cell;    // by cell code; 0 and 1 have none
  std::array<PictureRef, 4> season;  // 0 spring, 1 summer, 2 autumn, 3 winter
};

// The main window.
class Form1 : public Form {
 public:
  Form1(const Platform& platform, const PictureSet& pictures);

  PictureBox btStart;
  Timer waitActionTimer;
  Timer seasonTimer;
  Timer waitTImer;
  Timer nextBlockTimer;
  Label labelScore;
  std::deque<Image> imgBlock;  // element 0 is designed; start-up adds 1 to 71
  std::array<Image, 2> imgNextBlock;
  Image imgSeason;
  std::array<Image, 4> imgSeasonType;
  std::array<Image, 9> imgBlockType;  // elements 1 to 8 used, by cell code
  PictureRef picture;                 // the background

  // Adds the next element of imgBlock as a hidden copy of element 0.
  void AddBlockImage();
};

// The promotional window.
class FrmCM : public Form {
 public:
  FrmCM(const Platform& platform, const PictureSet& pictures);
  PictureRef picture;
};

inline constexpr std::string_view kMainCaption = "Quillmere";
inline constexpr std::string_view kPromoCaption = "Quillmere for Win";

// The warning box that a second copy shows before it ends.
inline constexpr std::string_view kAlreadyRunningText = "Quillmereは、起動されています。";
inline constexpr std::string_view kAlreadyRunningTitle = "警告";

}  // namespace ui
