// The forms model: controls as plain data. A control tells its form when it changes, and the
// form tells whoever listens (a host redraws, the simulator traces). No drawing happens here.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/platform.h"

namespace ui {

// A picture known by name and size; hosts look its pixels up by name. Controls share it.
struct Picture {
  std::string name;
  int width = 0;
  int height = 0;
};
using PictureRef = std::shared_ptr<const Picture>;

class Form;
class Control;

// What about a control changed.
enum class Change { kPicture, kVisible, kPosition, kCaption, kDrawing };

class FormListener {
 public:
  virtual ~FormListener() = default;
  virtual void ControlChanged(const Control& control, Change change) = 0;
  virtual void FormChanged(const Form& form) = 0;
};

class Control {
 public:
  explicit Control(Form& owner) : owner_(&owner) {}
  Form& owner() const { return *owner_; }

 protected:
  void Changed(Change change) const;

 private:
  Form* owner_;
};

// Shows its picture unscaled from its top-left corner and takes the picture's size.
class Image : public Control {
 public:
  Image(Form& owner, int left, int top, int width, int height, PictureRef picture = nullptr);

  const PictureRef& picture() const { return picture_; }
  void SetPicture(PictureRef picture);
  bool visible() const { return visible_; }
  void SetVisible(bool visible);
  int left() const { return left_; }
  int top() const { return top_; }
  void Move(int left, int top);
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  PictureRef picture_;
  bool visible_ = true;
  int left_, top_, width_, height_;
};

struct Rgb {
  int r = 0, g = 0, b = 0;
};

// A bold sans-serif face of 14.25 points at 96 dpi.
inline constexpr int kLabelFontPixels = 19;

class Label : public Control {
 public:
  Label(Form& owner, int left, int top, int width, int height, std::string caption);

  const std::string& caption() const { return caption_; }
  // Notifies even when the text stays the same: every setting is an event.
  void SetCaption(std::string caption);
  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  Rgb foreColor{255, 255, 0};
  int fontPixels = kLabelFontPixels;

 private:
  std::string caption_;
  int left_, top_, width_, height_;
};

// A picture box used as a button: its picture plus unfilled rectangles drawn over it until the
// next repaint.
class PictureBox : public Control {
 public:
  struct Rect {
    int x1, y1, x2, y2;
  };
  PictureBox(Form& owner, int left, int top, int width, int height, PictureRef picture);

  const PictureRef& picture() const { return picture_; }
  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // One-pixel unfilled black rectangle with corners (x1, y1) and (x2, y2).
  void DrawRectangle(int x1, int y1, int x2, int y2);
  const std::vector<Rect>& drawn() const { return drawn_; }
  // Shows the plain picture again.
  void Refresh();

 private:
  PictureRef picture_;
  int left_, top_, width_, height_;
  std::vector<Rect> drawn_;
};

// A countdown that hosts fire. Setting the interval or enabling (re)starts it from now; an
// interval of 0 or disabling disarms it.
class Timer {
 public:
  explicit Timer(const Clock& clock, const char* name) : clock_(&clock), name_(name) {}

  int interval() const { return interval_; }
  void SetInterval(int ms);
  bool enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool armed() const { return armed_; }
  Millis due() const { return due_; }
  const char* name() const { return name_; }

  // Host side: the handler is running, so the timer must not fire again until it returns.
  bool running = false;
  // Host side: called as the timer fires at now; the next due time unless the handler re-arms.
  void Fired(Millis now);

 private:
  void Rearm();

  const Clock* clock_;
  const char* name_;
  int interval_ = 0;
  bool enabled_ = false;
  bool armed_ = false;
  Millis due_ = 0;
};

// A window: caption, geometry in twips, client size in pixels, visibility.
class Form {
 public:
  Form(std::string caption, int clientWidth, int clientHeight, const Platform& platform);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& caption() const { return caption_; }
  void SetListener(FormListener* listener) { listener_ = listener; }
  FormListener* listener() const { return listener_; }

  // Outer frame thickness in pixels (both sides, title bar included), as the host's window
  // manager draws it; the client size follows the outer size through it.
  void SetFrame(int framePixelsX, int framePixelsY);
  double left() const { return left_; }
  double top() const { return top_; }
  double width() const { return width_; }
  double height() const { return height_; }
  void SetLeft(double twips);
  void SetTop(double twips);
  void SetWidth(double twips);
  void SetHeight(double twips);
  int scaleWidth() const;
  int scaleHeight() const;

  bool visible() const { return visible_; }
  void Show();
  void Hide();
  bool keyPreview = false;

 private:
  void Changed() const;

  std::string caption_;
  const Platform* platform_;
  FormListener* listener_ = nullptr;
  int frameX_ = 0, frameY_ = 0;
  double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = false;
};

}  // namespace ui
