#include "ui/controls.h"

#include <cmath>
#include <utility>

namespace ui {

void Control::Changed(Change change) const {
  if (FormListener* listener = owner_->listener()) listener->ControlChanged(*this, change);
}

Image::Image(Form& owner, int left, int top, int width, int height, PictureRef picture)
    : Control(owner), left_(left), top_(top), width_(width), height_(height) {
  if (picture) {
    width_ = picture->width;
    height_ = picture->height;
    picture_ = std::move(picture);
  }
}

void Image::SetPicture(PictureRef picture) {
  if (picture) {
    width_ = picture->width;
    height_ = picture->height;
  }
  picture_ = std::move(picture);
  Changed(Change::kPicture);
}

void Image::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Changed(Change::kVisible);
}

void Image::Move(int left, int top) {
  left_ = left;
  top_ = top;
  Changed(Change::kPosition);
}

Label::Label(Form& owner, int left, int top, int width, int height, std::string caption)
    : Control(owner),
      caption_(std::move(caption)),
      left_(left),
      top_(top),
      width_(width),
      height_(height) {}

void Label::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  Changed(Change::kCaption);
}

PictureBox::PictureBox(Form& owner, int left, int top, int width, int height, PictureRef picture)
    : Control(owner),
      picture_(std::move(picture)),
      left_(left),
      top_(top),
      width_(width),
      height_(height) {}

void PictureBox::DrawRectangle(int x1, int y1, int x2, int y2) {
  drawn_.push_back({x1, y1, x2, y2});
  Changed(Change::kDrawing);
}

void PictureBox::Refresh() {
  drawn_.clear();
  Changed(Change::kDrawing);
}

void Timer::SetInterval(int ms) {
  interval_ = ms;
  Rearm();
}

void Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Rearm();
}

void Timer::Rearm() {
  armed_ = enabled_ && interval_ > 0;
  if (armed_) due_ = clock_->NowMs() + interval_;
}

void Timer::Fired(Millis now) {
  if (armed_) due_ = now + interval_;
}

Form::Form(std::string caption, int clientWidth, int clientHeight, const Platform& platform)
    : caption_(std::move(caption)), platform_(&platform) {
  const ScreenMetrics screen = platform.Screen();
  width_ = clientWidth * screen.twipsPerPixelX;
  height_ = clientHeight * screen.twipsPerPixelY;
}

void Form::SetFrame(int framePixelsX, int framePixelsY) {
  const ScreenMetrics screen = platform_->Screen();
  width_ += (framePixelsX - frameX_) * screen.twipsPerPixelX;
  height_ += (framePixelsY - frameY_) * screen.twipsPerPixelY;
  frameX_ = framePixelsX;
  frameY_ = framePixelsY;
}

void Form::SetLeft(double twips) {
  left_ = twips;
  Changed();
}

void Form::SetTop(double twips) {
  top_ = twips;
  Changed();
}

void Form::SetWidth(double twips) {
  width_ = twips;
  Changed();
}

void Form::SetHeight(double twips) {
  height_ = twips;
  Changed();
}

int Form::scaleWidth() const {
  return static_cast<int>(std::lround(width_ / platform_->Screen().twipsPerPixelX)) - frameX_;
}

int Form::scaleHeight() const {
  return static_cast<int>(std::lround(height_ / platform_->Screen().twipsPerPixelY)) - frameY_;
}

void Form::Show() {
  visible_ = true;
  Changed();
}

void Form::Hide() {
  visible_ = false;
  Changed();
}

void Form::Changed() const {
  if (listener_) listener_->FormChanged(*this);
}

}  // namespace ui
