#include "platform/fltk/fltk_surface_widget.h"

#include <FL/Fl_Window.H>

#include <optional>
#include <utility>

#include "platform/fltk/fltk_painter.h"
#include "platform/fltk/fltk_platform.h"

namespace quorvel {
namespace {

// Set while the display reports that the pointer moved or crossed a window's edge.
bool pointerMotion = false;

int shiftState() {
  const int state = Fl::event_state();
  return ((state & FL_SHIFT) ? 1 : 0) | ((state & FL_CTRL) ? 2 : 0) | ((state & FL_ALT) ? 4 : 0);
}

// Buttons as the control numbers them: 1 left, 2 right, 4 middle.
int buttonsHeld() {
  const int state = Fl::event_state();
  return ((state & FL_BUTTON1) ? 1 : 0) | ((state & FL_BUTTON3) ? 2 : 0) | ((state & FL_BUTTON2) ? 4 : 0);
}

int buttonPressed() {
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
int virtualKey(int key) {
  if (key >= 'a' && key <= 'z') return key - 'a' + 'A';
  if (key >= '0' && key <= '9') return key;
  if (key >= FL_KP + '0' && key <= FL_KP + '9') return 0x60 + key - FL_KP - '0';
  if (key >= FL_F + 1 && key <= FL_F + 24) return 0x70 + key - FL_F - 1;
  struct Pair {
    int key;
    int code;
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

// The character a key types, as the system reports it after the key-down (Enter's included); the
// model keeps the ASCII ones.
std::optional<int> typedCharacter() {
  if (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter) return 13;
  if (Fl::event_length() != 1) return std::nullopt;
  return static_cast<unsigned char>(Fl::event_text()[0]);
}

}  // namespace

SurfaceWidget::SurfaceWidget(FltkPlatform& platform, ControlId id, PixelRect area)
    : Fl_Widget(area.left, area.top, area.width, area.height), platform_(platform), id_(id) {}

void SurfaceWidget::draw() {
  const auto list = platform_.paintListOf(id_);
  if (!list) return;
  const auto& surface = *platform_.record(id_).surface;
  FltkCanvas canvas(x(), y(), platform_.record(platform_.record(id_).window).dpi, platform_.fonts_);
  paintList(*list, surface.width, surface.height, canvas);
}

void SurfaceWidget::resize(int x, int y, int w, int h) {
  const bool sized = w != this->w() || h != this->h();
  Fl_Widget::resize(x, y, w, h);
  if (sized && !quietResize_) platform_.surfaceResized(id_, w, h);
}

void SurfaceWidget::place(PixelRect area) {
  quietResize_ = true;
  resize(area.left, area.top, area.width, area.height);
  quietResize_ = false;
  // What a smaller control no longer covers belongs to its container again.
  if (parent()) parent()->redraw();
  redraw();
}

// NOTE: FLTK sends moves of its own after a release or a focus change, to find the widget under the
// pointer, and it sends pointer moves to that widget only. The dispatch sees what the display reports:
// only moves the pointer made reach a control, and while a widget holds the capture the moves and
// crossings of all the program's windows go to it. A held button needs no help: FLTK sends every move
// to the pressed widget then. Crossings are passed on as well, so that FLTK keeps track of the window
// under the pointer. When the pointer leaves the program's windows for somewhere else, FLTK reports the
// leaving with no window at all; the holder gets it all the same, at the screen point it went to.
int SurfaceWidget::dispatchPointer(FltkPlatform& platform, int event, Fl_Window* window) {
  const bool pointer = event == FL_MOVE || event == FL_ENTER || event == FL_LEAVE;
  const auto id = platform.captureHolder();
  auto* holder = id ? static_cast<SurfaceWidget*>(platform.widget(*id)) : nullptr;
  // A modal window or an open menu cancels the capture, as it does on the system this control was made
  // for.
  if (holder && (Fl::grab() || (Fl::modal() && Fl::modal() != holder->top_window()))) {
    platform.captureTaken();
    holder = nullptr;
  }
  const bool captured =
      pointer && holder && (window || event == FL_LEAVE) && !Fl::pushed() && holder->active_r();
  // Kept for the event's time, also across an event loop a handler runs.
  const bool outerMotion = std::exchange(pointerMotion, pointer && !captured);
  if (captured) holder->deliverMove(holder->pointerFrom(window));
  const int taken = captured && event == FL_MOVE ? 1 : Fl::handle_(event, window);
  pointerMotion = outerMotion;
  return taken;
}

PixelPoint SurfaceWidget::pointerFrom(const Fl_Window* window) const {
  const Fl_Window* own = this->window();
  if ((window && window == own) || !own) return PixelPoint{Fl::event_x() - x(), Fl::event_y() - y()};
  return PixelPoint{Fl::event_x_root() - own->x_root() - x(), Fl::event_y_root() - own->y_root() - y()};
}

void SurfaceWidget::deliverMove(PixelPoint at) {
  platform_.pointerMoved(id_, at, buttonsHeld(), shiftState());
}

int SurfaceWidget::handle(int event) {
  switch (event) {
    case FL_KEYDOWN:
    case FL_KEYUP:
      return handleKey(event);
    case FL_FOCUS:
      if (!active_r()) return 0;
      platform_.focusGained(id_);
      return 1;
    case FL_UNFOCUS:
      platform_.focusLost(id_);
      return 1;
    case FL_ENTER:
    case FL_LEAVE:
    case FL_MOVE:
    case FL_DRAG:
    case FL_PUSH:
    case FL_RELEASE:
      return handlePointer(event);
    default:
      return Fl_Widget::handle(event);
  }
}

int SurfaceWidget::handlePointer(int event) {
  // Entering is accepted even while disabled: FLTK shows the tooltip of the widget under the pointer.
  if (!active_r()) return event == FL_ENTER ? 1 : 0;
  const PixelPoint at{Fl::event_x() - x(), Fl::event_y() - y()};
  switch (event) {
    case FL_ENTER:
    case FL_MOVE:
      if (pointerMotion) deliverMove(at);
      return 1;
    case FL_DRAG:
      deliverMove(at);
      return 1;
    case FL_PUSH: {
      const int button = buttonPressed();
      if (button == 0) return 0;
      // FLTK counts the quick presses after the first.
      platform_.pointerPressed(id_, at, button, shiftState(), Fl::event_clicks() + 1);
      return 1;
    }
    case FL_RELEASE: {
      // The released button is no longer among those held.
      const int button = buttonPressed();
      if (button != 0) platform_.pointerReleased(id_, at, button, shiftState(), Fl::event_buttons() == 0);
      return 1;
    }
    default:  // leaving: while captured, the dispatch has already reported where the pointer went
      return 1;
  }
}

int SurfaceWidget::handleKey(int event) {
  if (!active_r()) return 0;
  const int code = virtualKey(Fl::event_key());
  if (code == 0) return 0;
  if (event == FL_KEYUP) {
    platform_.keyWentUp(id_, code, shiftState());
    return 1;
  }
  // The server repeats a held key's key-down only (detectable repeat), with no flag of its own.
  if (!platform_.keyWentDown(id_, code, shiftState(), false)) return 1;
  if (const auto character = typedCharacter()) platform_.characterTyped(id_, *character);
  return 1;
}

}  // namespace quorvel
