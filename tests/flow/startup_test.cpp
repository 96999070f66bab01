// Start-up: the window's client area and place, and a second copy.
#include <gtest/gtest.h>

#include "support/harness.h"

TEST(Startup, TheClientAreaIs320By400WhateverTheFrameAndTheWindowIsCentred) {
  for (const int frame : {0, 8}) {
    qmtest::Session s;
    ui::Form1& f = s.m().form1;
    f.SetFrame(frame, 31);
    s.Start();
    const ui::ScreenMetrics screen = s.Screen();
    EXPECT_EQ(std::pair(f.scaleWidth(), f.scaleHeight()), std::pair(320, 400));
    EXPECT_EQ(std::pair(f.width(), f.height()), std::pair((320.0 + frame) * 15, (400.0 + 31) * 15));
    EXPECT_EQ(std::pair(f.left(), f.top()), std::pair((screen.widthTwips - f.width()) / 2,
                                                      (screen.heightTwips - f.height()) / 2));
    EXPECT_TRUE(f.visible() && s.m().gameActive == 0 && f.imgBlock.size() == 72);
    for (int n = 0; n < 72; ++n) {  // the cell grid, row by row
      EXPECT_EQ(std::pair(f.imgBlock[n].left(), f.imgBlock[n].top()),
                std::pair(63 + 24 * (n % 6 + 1), 20 + 24 * (n / 6 + 1)));
    }
  }
}

TEST(Startup, ASecondCopyWarnsAndEndsBeforeAnyWindowShows) {
  struct SecondCopy : qmtest::Session {
    bool PrevInstance() override { return true; }
    void MsgBox(std::string_view text, std::string_view title) override {
      shown = std::string(title) + "|" + std::string(text);
    }
    std::string shown;
  } s;
  EXPECT_THROW(s.Start(), ui::ProgramEnded);
  EXPECT_EQ(s.shown, "警告|Quillmereは、起動されています。");
  EXPECT_FALSE(s.m().form1.visible());
}
