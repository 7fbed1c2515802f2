#include "fltk_driver.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/fltk/fltk_screen.h"
#include "x11_screen.h"

namespace quorvel::contract {
namespace {

// One display connection per process, as FLTK keeps it.
FltkPlatform& backend() {
  static FltkPlatform instance;
  return instance;
}

const char* keyName(Key key) {
  switch (key) {
    case Key::tab:
      return "Tab";
    case Key::down:
      return "Down";
    case Key::space:
      return "space";
    case Key::stop:
      return "F8";
  }
  return "";
}

constexpr double kWatchSeconds = 0.01;

bool grabRefused = false;

int noteRefusal(Display*, XErrorEvent* error) {
  grabRefused = grabRefused || error->error_code == BadAccess;
  return 0;
}

// F8 with and without Caps Lock and Num Lock (Mod2 here), as a program that wants the key grabs it.
constexpr unsigned kLockStates[] = {0, LockMask, Mod2Mask, LockMask | Mod2Mask};

}  // namespace

FltkDriver::FltkDriver() {
  if (const auto problem = backend().startupProblem()) throw std::runtime_error(*problem);
  backend().setCursorPos(Point{1000, 740});
  settle();
}

FltkDriver::~FltkDriver() {
  Fl::remove_timeout(watchMessageBoxes, this);
  if (otherProgram_) XCloseDisplay(static_cast<Display*>(otherProgram_));
  if (resources_) pixel::setDesktopResources(*resources_);
}

Platform& FltkDriver::platform() { return backend(); }

Duration FltkDriver::now() { return std::chrono::steady_clock::now().time_since_epoch(); }

void FltkDriver::wait(Duration span) {
  const Duration end = now() + span;
  for (Duration left = span; left > Duration::zero(); left = end - now())
    Fl::wait(std::chrono::duration<double>(left).count());
}

void FltkDriver::stall(Duration span) { std::this_thread::sleep_for(span); }

void FltkDriver::settle() { pixel::settle(); }

void FltkDriver::closeMessageBoxesAfter(Duration after) {
  closeAfter_ = after;
  Fl::remove_timeout(watchMessageBoxes, this);
  Fl::add_timeout(kWatchSeconds, watchMessageBoxes, this);
}

// The user notices a modal box when it appears and closes it once it has been open long enough.
void FltkDriver::watchMessageBoxes(void* data) {
  auto& driver = *static_cast<FltkDriver*>(data);
  Fl_Window* box = Fl::modal();
  if (!box) {
    driver.boxOpen_ = false;
  } else if (!driver.boxOpen_) {
    driver.boxOpen_ = true;
    driver.boxSeen_ = driver.now();
  } else if (driver.now() - driver.boxSeen_ >= driver.closeAfter_) {
    box->hide();
    driver.boxOpen_ = false;
  }
  Fl::repeat_timeout(kWatchSeconds, watchMessageBoxes, data);
}

void FltkDriver::sendKey(Key key, bool shift) {
  if (shift) pixel::pressKey("Shift_L");
  pixel::typeKey(keyName(key));
  if (shift) pixel::releaseKey("Shift_L");
}

void FltkDriver::hold(Key key, Duration span) {
  pixel::pressKey(keyName(key));
  wait(span);
  pixel::releaseKey(keyName(key));
  wait(std::chrono::milliseconds(50));
}

// xdotool maps a spare key to each character the keyboard lacks, so any text can be typed. It reads
// the text in the locale's encoding, so it gets a UTF-8 one whatever the test's environment says. The
// program handles its events meanwhile.
void FltkDriver::type(std::string_view text) {
  const std::string characters(text);
  const char* argv[] = {"xdotool", "type", "--delay", "30", "--", characters.c_str(), nullptr};
  std::vector<std::string> variables;
  for (char** v = environ; *v; ++v)
    if (std::string_view(*v).substr(0, 3) != "LC_" && std::string_view(*v).substr(0, 5) != "LANG=") variables.emplace_back(*v);
  variables.emplace_back("LC_ALL=C.UTF-8");
  std::vector<char*> envp;
  for (std::string& v : variables) envp.push_back(v.data());
  envp.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawnp(&child, "xdotool", nullptr, nullptr, const_cast<char* const*>(argv), envp.data()) != 0)
    throw std::runtime_error("xdotool cannot be started");
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) Fl::wait(0.01);
  settle();
}

void FltkDriver::movePointer(WindowHandle window, Point client) {
  backend().setCursorPos(backend().clientToScreen(window, client));
  settle();
}

void FltkDriver::leftButton(bool down) {
  const InputRecord record{0, 0, 0, 0, down ? kMouseLeftDown : kMouseLeftUp, 0, 0};
  backend().sendInput(std::span(&record, 1));
  settle();
}

// The program's X window that `window` stands for: the topmost one where its client area is while it is
// on the screen, remembered for while it is minimised.
unsigned long FltkDriver::xWindow(WindowHandle window) {
  Window& found = windows_[window];
  if (!found) {
    const Point inside = backend().clientToScreen(window, Point{1, 1});
    const Window root = RootWindow(fl_display, fl_screen);
    int x = 0;
    int y = 0;
    XTranslateCoordinates(fl_display, root, root, inside.x, inside.y, &x, &y, &found);
  }
  return found;
}

void FltkDriver::activateOtherProgram() {
  XSetInputFocus(fl_display, None, RevertToNone, CurrentTime);
  settle();
}

// NOTE: X gives the keyboard to no window that is not on the screen: activating a minimised window
// does nothing.
void FltkDriver::activate(WindowHandle window) {
  const Window xid = xWindow(window);
  XWindowAttributes attributes{};
  if (xid && XGetWindowAttributes(fl_display, xid, &attributes) && attributes.map_state == IsViewable)
    XSetInputFocus(fl_display, xid, RevertToNone, CurrentTime);
  settle();
}

// What a window manager does with a window it minimises: it unmaps it, and maps it again to restore it.
void FltkDriver::minimise(WindowHandle window, bool minimised) {
  if (const Window xid = xWindow(window)) {
    if (minimised) {
      XUnmapWindow(fl_display, xid);
    } else {
      XMapWindow(fl_display, xid);
    }
  }
  wait(std::chrono::milliseconds(100));
}

// What a desktop does when the user changes its scaling: it writes the new Xft.dpi into its resources
// on the root window, which every program there hears of.
int FltkDriver::changeResolution(WindowHandle window, int dpi) {
  if (!resources_) resources_ = rootResources();
  pixel::setDesktopResources("Xft.antialias:\t1\nXft.dpi:\t" + std::to_string(dpi) + "\n");
  waitUntil([&] { return backend().windowDpi(window) == dpi; }, std::chrono::seconds(2));
  settle();
  return backend().windowDpi(window);
}

// Another client of the display grabs F8 on the root window; the server refuses a key another holds.
bool FltkDriver::takeStopKeyElsewhere() {
  if (!otherProgram_) otherProgram_ = XOpenDisplay(nullptr);
  auto* other = static_cast<Display*>(otherProgram_);
  const KeyCode key = XKeysymToKeycode(other, XK_F8);
  grabRefused = false;
  const XErrorHandler previous = XSetErrorHandler(noteRefusal);
  for (const unsigned state : kLockStates)
    XGrabKey(other, key, state, DefaultRootWindow(other), False, GrabModeAsync, GrabModeAsync);
  XSync(other, False);
  XSetErrorHandler(previous);
  if (grabRefused) giveBackStopKeyElsewhere();
  return !grabRefused;
}

void FltkDriver::giveBackStopKeyElsewhere() {
  auto* other = static_cast<Display*>(otherProgram_);
  if (!other) return;
  const KeyCode key = XKeysymToKeycode(other, XK_F8);
  for (const unsigned state : kLockStates) XUngrabKey(other, key, state, DefaultRootWindow(other));
  XSync(other, False);
}

}  // namespace quorvel::contract
