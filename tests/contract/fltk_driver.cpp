// The FLTK backend on a private X display, driven through XTEST like a person at the keyboard and mouse.
#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "backend_driver.h"
#include "platform/fltk/fltk_platform.h"
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
  constexpr const char* kNames[] = {"Tab", "Down", "space", "F8"};  // in the order of Key
  return kNames[static_cast<int>(key)];
}

constexpr double kWatchSeconds = 0.01;

bool grabRefused = false;

int noteRefusal(Display*, XErrorEvent* error) {
  grabRefused = grabRefused || error->error_code == BadAccess;
  return 0;
}

// F8 with and without Caps Lock and Num Lock (Mod2 here), as a program that wants the key grabs it.
constexpr unsigned kLockStates[] = {0, LockMask, Mod2Mask, LockMask | Mod2Mask};

Duration steadyNow() { return std::chrono::steady_clock::now().time_since_epoch(); }

}  // namespace

struct BackendDriver::Backend {
  // The user notices a modal box when it appears and closes it once it has been open long enough.
  static void watchMessageBoxes(void* data);
  // The program's X window that `window` stands for: the topmost one where its client area is while it
  // is on the screen, remembered for while it is minimised.
  Window xWindow(WindowHandle window);

  Duration closeAfter{};
  Duration boxSeen{};
  bool boxOpen = false;
  std::map<WindowHandle, Window> windows;
  Display* otherProgram = nullptr;       // another client's display connection, holding the stop key
  std::optional<std::string> resources;  // the desktop's, while a test has changed them
};

BackendDriver::BackendDriver() : backend_(std::make_unique<Backend>()) {
  if (const auto problem = backend().startupProblem()) throw std::runtime_error(*problem);
  backend().setCursorPos(Point{1000, 740});
  settle();
}

BackendDriver::~BackendDriver() {
  Fl::remove_timeout(Backend::watchMessageBoxes, backend_.get());
  if (backend_->otherProgram) XCloseDisplay(backend_->otherProgram);
  if (backend_->resources) pixel::setDesktopResources(*backend_->resources);
}

Platform& BackendDriver::platform() { return backend(); }

Duration BackendDriver::now() { return steadyNow(); }

void BackendDriver::wait(Duration span) {
  const Duration end = now() + span;
  for (Duration left = span; left > Duration::zero(); left = end - now())
    Fl::wait(std::chrono::duration<double>(left).count());
}

void BackendDriver::stall(Duration span) { std::this_thread::sleep_for(span); }

void BackendDriver::settle() { pixel::settle(); }

void BackendDriver::closeMessageBoxesAfter(Duration after) {
  backend_->closeAfter = after;
  Fl::remove_timeout(Backend::watchMessageBoxes, backend_.get());
  Fl::add_timeout(kWatchSeconds, Backend::watchMessageBoxes, backend_.get());
}

void BackendDriver::Backend::watchMessageBoxes(void* data) {
  auto& watch = *static_cast<Backend*>(data);
  Fl_Window* box = Fl::modal();
  if (!box) {
    watch.boxOpen = false;
  } else if (!watch.boxOpen) {
    watch.boxOpen = true;
    watch.boxSeen = steadyNow();
  } else if (steadyNow() - watch.boxSeen >= watch.closeAfter) {
    box->hide();
    watch.boxOpen = false;
  }
  Fl::repeat_timeout(kWatchSeconds, watchMessageBoxes, data);
}

void BackendDriver::press(Key key, bool shift) {
  if (shift) pixel::pressKey("Shift_L");
  pixel::typeKey(keyName(key));
  if (shift) pixel::releaseKey("Shift_L");
}

void BackendDriver::hold(Key key, Duration span) {
  pixel::pressKey(keyName(key));
  wait(span);
  pixel::releaseKey(keyName(key));
  wait(std::chrono::milliseconds(50));
}

// xdotool maps a spare key to each character the keyboard lacks, so any text can be typed. It reads
// the text in the locale's encoding, so it gets a UTF-8 one whatever the test's environment says. The
// program handles its events meanwhile.
void BackendDriver::type(std::string_view text) {
  const std::string characters(text);
  const char* argv[] = {"xdotool", "type", "--delay", "30", "--", characters.c_str(), nullptr};
  // LC_ALL outranks LANG and every other LC_ variable.
  std::string utf8 = "LC_ALL=C.UTF-8";
  std::vector<char*> envp;
  for (char** v = environ; *v; ++v)
    if (std::string_view(*v).substr(0, 7) != "LC_ALL=") envp.push_back(*v);
  envp.insert(envp.end(), {utf8.data(), nullptr});
  pid_t child = 0;
  if (posix_spawnp(&child, "xdotool", nullptr, nullptr, const_cast<char* const*>(argv), envp.data()) != 0)
    throw std::runtime_error("xdotool cannot be started");
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) Fl::wait(0.01);
  settle();
}

void BackendDriver::movePointer(WindowHandle window, Point client) {
  backend().setCursorPos(backend().clientToScreen(window, client));
  settle();
}

void BackendDriver::leftButton(bool down) {
  const InputRecord record{0, 0, 0, 0, down ? kMouseLeftDown : kMouseLeftUp, 0, 0};
  backend().sendInput(std::span(&record, 1));
  settle();
}

Window BackendDriver::Backend::xWindow(WindowHandle window) {
  Window& found = windows[window];
  if (!found) {
    const Point inside = backend().clientToScreen(window, Point{1, 1});
    const Window root = RootWindow(fl_display, fl_screen);
    int x = 0;
    int y = 0;
    XTranslateCoordinates(fl_display, root, root, inside.x, inside.y, &x, &y, &found);
  }
  return found;
}

void BackendDriver::activateOtherProgram() {
  XSetInputFocus(fl_display, None, RevertToNone, CurrentTime);
  settle();
}

// NOTE: X gives the keyboard to no window that is not on the screen: activating a minimised window
// does nothing.
void BackendDriver::activate(WindowHandle window) {
  const Window xid = backend_->xWindow(window);
  XWindowAttributes attributes{};
  if (xid && XGetWindowAttributes(fl_display, xid, &attributes) && attributes.map_state == IsViewable)
    XSetInputFocus(fl_display, xid, RevertToNone, CurrentTime);
  settle();
}

// What a window manager does with a window it minimises: it unmaps it, and maps it again to restore it.
void BackendDriver::minimise(WindowHandle window, bool minimised) {
  if (const Window xid = backend_->xWindow(window))
    minimised ? XUnmapWindow(fl_display, xid) : XMapWindow(fl_display, xid);
  wait(std::chrono::milliseconds(100));
}

// What a desktop does when the user changes its scaling: it writes the new Xft.dpi into its resources
// on the root window, which every program there hears of.
int BackendDriver::changeResolution(WindowHandle window, int dpi) {
  if (!backend_->resources) backend_->resources = rootResources();
  pixel::setDesktopResources("Xft.antialias:\t1\nXft.dpi:\t" + std::to_string(dpi) + "\n");
  waitUntil([&] { return backend().windowDpi(window) == dpi; }, std::chrono::seconds(2));
  settle();
  return backend().windowDpi(window);
}

// Another client of the display grabs F8 on the root window; the server refuses a key another holds.
bool BackendDriver::takeStopKeyElsewhere() {
  if (!backend_->otherProgram) backend_->otherProgram = XOpenDisplay(nullptr);
  Display* other = backend_->otherProgram;
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

void BackendDriver::giveBackStopKeyElsewhere() {
  Display* other = backend_->otherProgram;
  if (!other) return;
  const KeyCode key = XKeysymToKeycode(other, XK_F8);
  for (const unsigned state : kLockStates) XUngrabKey(other, key, state, DefaultRootWindow(other));
  XSync(other, False);
}

}  // namespace quorvel::contract
