#include "ui/forms.h"

#include <memory>

namespace ui {
namespace {

PictureRef MakePicture(std::string name, int width, int height) {
  return std::make_shared<const Picture>(Picture{std::move(name), width, height});
}

// The picture sources lie right of the 320-pixel client area, as designed.
Image SeasonSource(Form& form, const PictureSet& pictures, int index) {
  return Image(form, 432, 24 + 80 * index, 45, 70, pictures.season[index]);
}

Image CellSource(Form& form, const PictureSet& pictures, int code) {
  if (code < 2) return Image(form, 360, 16, 25, 25);
  return Image(form, 360, 40 + 24 * (code - 2), 24, 24, pictures.cell[code]);
}

}  // namespace

PictureSet::PictureSet()
    : window(MakePicture("window", 320, 400)),
      icon(MakePicture("icon", 32, 32)),
      start(MakePicture("start", 58, 28)),
      promo(MakePicture("promo", 120, 155)) {
  for (int code = 2; code <= 8; ++code) {
    cell[code] = MakePicture("cell" + std::to_string(code), kCellPixels, kCellPixels);
  }
  for (int s = 0; s < 4; ++s) season[s] = MakePicture("season" + std::to_string(s), 45, 70);
}

// The designed client area is larger than the run-time one; start-up resizes it.
Form1::Form1(const Platform& platform, const PictureSet& pictures)
    : Form(std::string(kMainCaption), 499, 443, platform),
      btStart(*this, 248, 368, 58, 28, pictures.start),
      waitActionTimer(platform, "waitActionTimer"),
      seasonTimer(platform, "seasonTimer"),
      waitTImer(platform, "waitTImer"),
      nextBlockTimer(platform, "nextBlockTimer"),
      labelScore(*this, 90, 372, 110, 18, "0"),
      imgNextBlock{Image(*this, 272, 48, 25, 25), Image(*this, 272, 24, 25, 25)},
      imgSeason(*this, 8, 120, 49, 73),
      imgSeasonType{SeasonSource(*this, pictures, 0), SeasonSource(*this, pictures, 1),
                    SeasonSource(*this, pictures, 2), SeasonSource(*this, pictures, 3)},
      imgBlockType{CellSource(*this, pictures, 0), CellSource(*this, pictures, 1),
                   CellSource(*this, pictures, 2), CellSource(*this, pictures, 3),
                   CellSource(*this, pictures, 4), CellSource(*this, pictures, 5),
                   CellSource(*this, pictures, 6), CellSource(*this, pictures, 7),
                   CellSource(*this, pictures, 8)},
      picture(pictures.window) {
  imgBlock.emplace_back(*this, 88, 48, 25, 25);
}

void Form1::AddBlockImage() {
  imgBlock.emplace_back(*this, imgBlock[0].left(), imgBlock[0].top(), imgBlock[0].width(),
                        imgBlock[0].height(), imgBlock[0].picture());
  imgBlock.back().SetVisible(false);
}

FrmCM::FrmCM(const Platform& platform, const PictureSet& pictures)
    : Form(std::string(kPromoCaption), 120, 154, platform), picture(pictures.promo) {}

}  // namespace ui
