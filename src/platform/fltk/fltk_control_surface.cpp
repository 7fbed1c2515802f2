#include "platform/fltk/fltk_control_surface.h"

#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>

#include "platform/fltk/fltk_painter.h"
#include "platform/fltk/fltk_platform.h"
#include "platform/fltk/fltk_records.h"
#include "platform/shared/window_layout.h"

namespace quorvel {
namespace {

// What the dispatch, which FLTK calls with no object of ours, needs: the program's capture and the
// widget of each control that has one.
PointerCapture* programCapture = nullptr;
std::map<ControlId, SurfaceWidget*> surfaceWidgets;
bool dispatchInstalled = false;

SurfaceWidget* captureHolder() {
  const auto holder = programCapture ? programCapture->holder() : std::nullopt;
  const auto found = holder ? surfaceWidgets.find(*holder) : surfaceWidgets.end();
  return found == surfaceWidgets.end() ? nullptr : found->second;
}
Fl_Event_Dispatch previousDispatch = nullptr;
// Set while the display reports that the pointer moved or crossed a window's edge.
bool pointerMotion = false;

// Marks what the dispatch is busy with, also across event loops run inside a handler.
class MotionScope {
 public:
  explicit MotionScope(bool motion) : saved_(pointerMotion) { pointerMotion = motion; }
  ~MotionScope() { pointerMotion = saved_; }
  MotionScope(const MotionScope&) = delete;
  MotionScope& operator=(const MotionScope&) = delete;

 private:
  bool saved_;
};

int passOn(int event, Fl_Window* window) {
  return previousDispatch ? previousDispatch(event, window) : Fl::handle_(event, window);
}

std::int16_t shiftState() {
  const int state = Fl::event_state();
  return static_cast<std::int16_t>(((state & FL_SHIFT) ? 1 : 0) | ((state & FL_CTRL) ? 2 : 0) |
                                   ((state & FL_ALT) ? 4 : 0));
}

// Buttons as the control numbers them: 1 left, 2 right, 4 middle.
std::int16_t buttonsHeld() {
  const int state = Fl::event_state();
  return static_cast<std::int16_t>(((state & FL_BUTTON1) ? 1 : 0) | ((state & FL_BUTTON3) ? 2 : 0) |
                                   ((state & FL_BUTTON2) ? 4 : 0));
}

std::int16_t buttonPressed() {
  switch (Fl::event_button()) {
    case FL_LEFT_MOUSE:
      return 1;
    case FL_RIGHT_MOUSE:
      return 2;
    case FL_MIDDLE_MOUSE:
      return 4;
    default:
      return 0;
  }
}

// The virtual-key code of an FLTK key, 0 for keys that have none.
std::int16_t virtualKey(int key) {
  if (key >= 'a' && key <= 'z') return static_cast<std::int16_t>(key - 'a' + 'A');
  if (key >= '0' && key <= '9') return static_cast<std::int16_t>(key);
  if (key >= FL_KP + '0' && key <= FL_KP + '9') return static_cast<std::int16_t>(0x60 + key - FL_KP - '0');
  if (key >= FL_F + 1 && key <= FL_F + 24) return static_cast<std::int16_t>(0x70 + key - FL_F - 1);
  struct Pair {
    int key;
    std::int16_t code;
  };
  static constexpr Pair kCodes[] = {
      {FL_BackSpace, 8},  {FL_Tab, 9},           {FL_Enter, 13},     {FL_KP_Enter, 13},  {FL_Shift_L, 16},
      {FL_Shift_R, 16},   {FL_Control_L, 17},    {FL_Control_R, 17}, {FL_Alt_L, 18},     {FL_Alt_R, 18},
      {FL_Pause, 19},     {FL_Caps_Lock, 20},    {FL_Escape, 27},    {' ', 32},          {FL_Page_Up, 33},
      {FL_Page_Down, 34}, {FL_End, 35},          {FL_Home, 36},      {FL_Left, 37},      {FL_Up, 38},
      {FL_Right, 39},     {FL_Down, 40},         {FL_Print, 44},     {FL_Insert, 45},    {FL_Delete, 46},
      {FL_KP + '*', 106}, {FL_KP + '+', 107},    {FL_KP + '-', 109}, {FL_KP + '.', 110}, {FL_KP + '/', 111},
      {FL_Num_Lock, 144}, {FL_Scroll_Lock, 145}, {';', 0xBA},        {'=', 0xBB},        {',', 0xBC},
      {'-', 0xBD},        {'.', 0xBE},           {'/', 0xBF},        {'`', 0xC0},        {'[', 0xDB},
      {'\\', 0xDC},       {']', 0xDD},           {'\'', 0xDE}};
  for (const Pair& p : kCodes)
    if (p.key == key) return p.code;
  return 0;
}

// The character a key types, as the system reports it after the key-down: printable ASCII, Enter,
// Backspace, Escape and control characters; nothing for keys that type no single ASCII character.
std::optional<std::int16_t> typedCharacter() {
  if (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter) return std::int16_t{13};
  if (Fl::event_length() != 1) return std::nullopt;
  const auto c = static_cast<unsigned char>(Fl::event_text()[0]);
  if (c == 0 || c >= 0x7F) return std::nullopt;
  return static_cast<std::int16_t>(c);
}

}  // namespace

SurfaceWidget::SurfaceWidget(int x, int y, int w, int h, int dpi, ControlSurfaceClient& client,
                             FontCatalog& fonts, PointerCapture& capture, ControlId id)
    : Fl_Widget(x, y, scaledPixels(w, dpi), scaledPixels(h, dpi)),
      client_(&client),
      fonts_(fonts),
      capture_(capture),
      id_(id),
      width_(w),
      height_(h),
      dpi_(dpi) {
  programCapture = &capture;
  surfaceWidgets[id] = this;
  if (!dispatchInstalled) {
    previousDispatch = Fl::event_dispatch();
    Fl::event_dispatch(dispatchPointer);
    dispatchInstalled = true;
  }
}

SurfaceWidget::~SurfaceWidget() {
  loseCapture();
  surfaceWidgets.erase(id_);
}

void SurfaceWidget::detach() {
  client_ = nullptr;
  loseCapture();
}

void SurfaceWidget::draw() {
  if (!client_) return;
  FltkCanvas canvas(x(), y(), dpi_, fonts_);
  paintList(client_->paintList(), width_, height_, canvas);
}

// Sized from outside: the control's own size follows, and it is told.
void SurfaceWidget::resize(int x, int y, int w, int h) {
  const bool sized = w != this->w() || h != this->h();
  Fl_Widget::resize(x, y, w, h);
  if (!sized || quietResize_) return;
  width_ = std::max(1, static_cast<int>(std::lround(w * double{kBaseDpi} / dpi_)));
  height_ = std::max(1, static_cast<int>(std::lround(h * double{kBaseDpi} / dpi_)));
  if (client_) client_->surfaceResized();
}

void SurfaceWidget::setSizeQuietly(int w, int h) {
  width_ = w;
  height_ = h;
  place(x(), y(), dpi_);
}

void SurfaceWidget::place(int x, int y, int dpi) {
  dpi_ = dpi;
  quietResize_ = true;
  resize(x, y, scaledPixels(width_, dpi), scaledPixels(height_, dpi));
  quietResize_ = false;
  // What a smaller control no longer covers belongs to its container again.
  if (parent()) parent()->redraw();
  redraw();
}

float SurfaceWidget::twips(int pixels) const { return static_cast<float>(pixelsToTwips(pixels, dpi_)); }

// NOTE: there is nothing to grab on X: the dispatch hands the holder the moves of every window of the
// program, and the leaving of them all.
void FltkPlatform::grabPointer(ControlId) {}

void FltkPlatform::letPointerGo(ControlId) {}

void SurfaceWidget::setCapture() { capture_.set(id_); }

void SurfaceWidget::releaseCapture() { capture_.release(id_); }

void SurfaceWidget::loseCapture() { capture_.disabled(id_); }

// NOTE: FLTK sends moves of its own after a release or a focus change, to find the widget under the
// pointer, and it sends pointer moves to that widget only. The dispatch sees what the display reports:
// only moves the pointer made reach a control, and while a widget holds the capture the moves and
// crossings of all the program's windows go to it. A held button needs no help: FLTK sends every move
// to the pressed widget then. Crossings are passed on as well, so that FLTK keeps track of the window
// under the pointer. When the pointer leaves the program's windows for somewhere else, FLTK reports the
// leaving with no window at all; the holder gets it all the same, at the screen point it went to.
int SurfaceWidget::dispatchPointer(int event, Fl_Window* window) {
  const bool pointer = event == FL_MOVE || event == FL_ENTER || event == FL_LEAVE;
  // A modal window or an open menu cancels the capture, as it does on the system this control was made
  // for.
  SurfaceWidget* holder = captureHolder();
  if (holder && (Fl::grab() || (Fl::modal() && Fl::modal() != holder->top_window()))) {
    programCapture->lost();
    holder = nullptr;
  }
  const bool captured =
      pointer && holder && (window || event == FL_LEAVE) && !Fl::pushed() && holder->active_r();
  const MotionScope motion(pointer && !captured);
  if (!captured) return passOn(event, window);
  int x = 0;
  int y = 0;
  holder->pointerFrom(window, x, y);
  holder->deliverMove(x, y);
  return event == FL_MOVE ? 1 : passOn(event, window);
}

void SurfaceWidget::pointerFrom(const Fl_Window* window, int& x, int& y) const {
  const Fl_Window* own = this->window();
  if ((window && window == own) || !own) {
    x = Fl::event_x() - this->x();
    y = Fl::event_y() - this->y();
    return;
  }
  x = Fl::event_x_root() - own->x_root() - this->x();
  y = Fl::event_y_root() - own->y_root() - this->y();
}

void SurfaceWidget::deliverMove(int x, int y) {
  if (client_) client_->pointerMoved(buttonsHeld(), shiftState(), twips(x), twips(y));
}

int SurfaceWidget::handle(int event) {
  switch (event) {
    case FL_SHOW:
      if (!shown_ && visible_r() && client_) {
        shown_ = true;
        client_->surfaceShown();
      }
      return Fl_Widget::handle(event);
    case FL_ENTER:
    case FL_LEAVE:
    case FL_MOVE:
    case FL_DRAG:
    case FL_PUSH:
    case FL_RELEASE:
      return handlePointer(event);
    case FL_KEYDOWN:
    case FL_KEYUP:
      return handleKey(event);
    case FL_FOCUS:
    case FL_UNFOCUS:
      return handleFocus(event);
    default:
      return Fl_Widget::handle(event);
  }
}

int SurfaceWidget::handlePointer(int event) {
  // Entering is accepted even while disabled: FLTK shows the tooltip of the widget under the pointer.
  if (!active_r() || !client_) return event == FL_ENTER ? 1 : 0;
  const int x = Fl::event_x() - this->x();
  const int y = Fl::event_y() - this->y();
  switch (event) {
    case FL_ENTER:
    case FL_MOVE:
      if (pointerMotion) deliverMove(x, y);
      return 1;
    case FL_DRAG:
      deliverMove(x, y);
      return 1;
    case FL_PUSH: {
      const std::int16_t button = buttonPressed();
      if (button == 0) return 0;
      // The system reports clicks in pairs: the second press of each pair is a double click.
      if (Fl::event_clicks() % 2 == 1) {
        client_->doubleClicked();
      } else {
        client_->pointerPressed(button, shiftState(), twips(x), twips(y));
      }
      return 1;
    }
    case FL_RELEASE: {
      const std::int16_t button = buttonPressed();
      if (button != 0) client_->pointerReleased(button, shiftState(), twips(x), twips(y));
      return 1;
    }
    default:  // leaving: while captured, the dispatch has already reported where the pointer went
      return 1;
  }
}

int SurfaceWidget::handleKey(int event) {
  if (!active_r() || !client_) return 0;
  if (passTab(event)) return 1;
  const std::int16_t code = virtualKey(Fl::event_key());
  if (code == 0) return 0;
  if (event == FL_KEYUP) {
    keys_.keyUp(*client_, code, shiftState());
    return 1;
  }
  // The server repeats a held key's key-down only (detectable repeat), with no flag of its own.
  if (!keys_.keyDown(*client_, code, shiftState(), false)) return 1;
  if (const auto character = typedCharacter(); character && client_) client_->keyPressed(*character);
  return 1;
}

int SurfaceWidget::handleFocus(int event) {
  if (!client_) return 0;
  if (event == FL_UNFOCUS) {
    keys_.forget();
    client_->focusLeft();
    return 1;
  }
  if (!active_r()) return 0;
  // FLTK offers the focus again to a widget that has it already; the control hears of it once.
  if (Fl::focus() != this) client_->focusEntered();
  return 1;
}

FltkControlSurface::FltkControlSurface(SurfaceWidget& widget, CaptionFont ambientFont,
                                       std::function<void()> focus, std::function<void()> forget)
    : widget_(&widget),
      tracker_(&widget),
      fonts_(widget.fonts()),
      ambientFont_(std::move(ambientFont)),
      focus_(std::move(focus)),
      forget_(std::move(forget)) {}

FltkControlSurface::~FltkControlSurface() {
  SurfaceWidget* w = widget();
  if (!w) return;  // its window is gone, and the tab order with it
  forget_();
  w->detach();
  // The control may be dropped from inside one of its own event handlers: the widget goes once the
  // event is over.
  Fl::delete_widget(w);
}

TwipsSize FltkControlSurface::size() const {
  const SurfaceWidget* w = widget();
  if (!w) return {};
  return {static_cast<double>(w->width() * kTwipsPerPixel),
          static_cast<double>(w->height() * kTwipsPerPixel)};
}

void FltkControlSurface::setSize(TwipsSize size) {
  if (SurfaceWidget* w = widget())
    w->setSizeQuietly(std::max(1, twipsToPixels(size.width)), std::max(1, twipsToPixels(size.height)));
}

bool FltkControlSurface::enabled() const {
  const SurfaceWidget* w = widget();
  return w && w->active();
}

void FltkControlSurface::setEnabled(bool enabled) {
  SurfaceWidget* w = widget();
  if (!w) return;
  if (enabled) {
    w->activate();
    return;
  }
  // Disabling a window cancels its capture on the system this control was made for.
  w->loseCapture();
  w->deactivate();
}

void FltkControlSurface::requestFocus() {
  if (widget()) focus_();
}

void FltkControlSurface::setCapture() {
  if (SurfaceWidget* w = widget()) w->setCapture();
}

void FltkControlSurface::releaseCapture() {
  if (SurfaceWidget* w = widget()) w->releaseCapture();
}

void FltkControlSurface::setToolTip(std::string_view text) {
  SurfaceWidget* w = widget();
  if (!w) return;
  if (text.empty()) {
    w->tooltip(nullptr);
  } else {
    w->copy_tooltip(std::string(text).c_str());
  }
}

TwipsSize FltkControlSurface::measureText(std::string_view text, const CaptionFont& font,
                                          double wrapWidth) const {
  const SurfaceWidget* w = widget();
  FltkCanvas measure(0, 0, w ? w->dpi() : kBaseDpi, fonts_);
  const int wrap = wrapWidth > 0 ? std::max(1, twipsToPixels(wrapWidth)) : 0;
  const PixelSize extent = quorvel::measureText(text, font, wrap, measure);
  return {static_cast<double>(extent.width * kTwipsPerPixel), static_cast<double>(extent.height * kTwipsPerPixel)};
}

void FltkControlSurface::requestRepaint() {
  if (SurfaceWidget* w = widget()) w->redraw();
}

// Placed like the other controls, in the window or a frame of it, and a stop of its tab order.
std::unique_ptr<ControlSurface> FltkPlatform::createControlSurface(WindowHandle handle,
                                                                   const ControlSpec& placement,
                                                                   ControlSurfaceClient& client) {
  const Placement at = place(handle, placement);
  Fl_Group::current(nullptr);
  const auto id = static_cast<ControlId>(controls_.size());
  auto* widget = new SurfaceWidget(at.x, at.y, std::max(1, twipsToPixels(placement.rect.width)),
                                   std::max(1, twipsToPixels(placement.rect.height)), window(handle).dpi,
                                   client, fonts_, capture_, id);
  if (placement.tabIndex < 0) widget->clear_visible_focus();
  at.parent->add(widget);
  at.parent->redraw();

  auto record = std::make_unique<ControlRecord>();
  record->window = handle;
  record->spec = placement;
  record->widget = widget;
  record->focusKeys = widget;
  record->surface = widget;
  controls_.push_back(std::move(record));
  connectEvents(id);

  return std::make_unique<FltkControlSurface>(
      *widget, ambientFontFor(placement.font), [this, id] { setFocus(id); },
      [this, id] {
        ControlRecord& c = control(id);
        c.widget = nullptr;
        c.focusKeys = nullptr;
        c.surface = nullptr;
      });
}

}  // namespace quorvel
