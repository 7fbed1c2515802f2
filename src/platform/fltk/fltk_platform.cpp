#include "platform/fltk/fltk_platform.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>

#include <cstdlib>
#include <iostream>
#include <string_view>

#include "platform/backend.h"
#include "platform/fltk/fltk_message_box.h"
#include "platform/fltk/fltk_top_window.h"

namespace quorvel {
namespace {

// Lines are broken by hand: FLTK wraps text at blanks only.
constexpr const char* kNoDisplayText =
    "无法连接到 X 显示服务器。\n请在图形桌面中运行本程序，或检查 DISPLAY 环境变量。";
constexpr const char* kNoXTestText =
    "X 显示服务器不支持 XTEST 扩展，\n本程序无法移动鼠标，也无法模拟点击。\n请在启用了 XTEST 扩展的 X "
    "服务器上运行。";

// Clicks injected into Xwayland reach its own clients only.
constexpr const char* kWaylandNote =
    "Quorvel：当前是 Wayland 会话，本程序的点击只能到达 X11（Xwayland）窗口，到不了 Wayland 原生窗口。";

bool onWaylandSession() {
  const char* type = std::getenv("XDG_SESSION_TYPE");
  const char* display = std::getenv("WAYLAND_DISPLAY");
  return (type && std::string_view(type) == "wayland") || (display && *display);
}

}  // namespace

FltkPlatform::FltkPlatform() : epoch_(std::chrono::steady_clock::now()) {
  openTickTimer();
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    startupProblem_ = kNoDisplayText;
    return;
  }
  fl_open_display(display);
  displayOpen_ = true;
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) startupProblem_ = kNoXTestText;
  // A held key then repeats its key-down only, and its one key-up comes when it is let go. Without this
  // the server sends a key-up before every repeat, which a button takes for a click; FLTK's own guess
  // at such pairs misses whenever the repeat is not in the queue yet.
  Bool detectable = False;
  XkbSetDetectableAutoRepeat(display, True, &detectable);
  // The face of dialog controls on the desktop this program was made for.
  Fl::background(0xD4, 0xD0, 0xC8);
  current_ = this;
  Fl::event_dispatch(dispatchEvent);
  followScreens(true);
  Fl::add_system_handler(stopKeyEvent, this);
  if (onWaylandSession()) std::cerr << kWaylandNote << '\n';
}

FltkPlatform::~FltkPlatform() {
  giveBackStopKey();
  if (current_ == this) {
    Fl::remove_system_handler(stopKeyEvent);
    followScreens(false);
    Fl::event_dispatch(nullptr);
    current_ = nullptr;
  }
  closeTickTimer();
  widgets_.clear();  // the widgets themselves go with their windows
  windows_.clear();
}

void FltkPlatform::messageBox(std::string_view text, std::string_view title, MessageIcon) {
  if (!displayOpen_) {
    // Nowhere to show it: the terminal, if any, is the only place left.
    std::cerr << title << ' ' << text << '\n';
    return;
  }
  runMessageBox(text, title, fonts_.resolve(FontSpec{}, dpi_), dpi_);
}

std::unique_ptr<Platform> createPlatform() { return std::make_unique<FltkPlatform>(); }

}  // namespace quorvel
