// The stop key on X: a passive grab of F8 on the root window, so that the key reaches this program
// whichever window has the keyboard, and no other client sees it while the grab lasts.
#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/keysym.h>

#include <array>

#include "platform/fltk/fltk_platform.h"

namespace quorvel {
namespace {

bool grabRefused = false;

// NOTE: another client's grab of the same key comes back as an asynchronous BadAccess, which FLTK's
// own handler would only print.
int noteRefusal(Display*, XErrorEvent* error) {
  if (error->error_code == BadAccess) grabRefused = true;
  return 0;
}

unsigned numLockMask(Display* display) {
  const KeyCode numLock = XKeysymToKeycode(display, XK_Num_Lock);
  XModifierKeymap* map = XGetModifierMapping(display);
  unsigned mask = 0;
  for (int modifier = 0; numLock && map && modifier < 8; ++modifier) {
    for (int k = 0; k < map->max_keypermod; ++k) {
      if (map->modifiermap[modifier * map->max_keypermod + k] == numLock) mask = 1u << modifier;
    }
  }
  if (map) XFreeModifiermap(map);
  return mask;
}

// X matches a grab's modifiers exactly: the key is grabbed once for each state of Caps Lock and Num Lock.
std::array<unsigned, 4> lockStates(Display* display) {
  const unsigned numLock = numLockMask(display);
  return {0u, LockMask, numLock, LockMask | numLock};
}

void ungrab(Display* display, KeyCode key) {
  for (const unsigned state : lockStates(display)) {
    XUngrabKey(display, key, state, DefaultRootWindow(display));
  }
}

}  // namespace

bool FltkPlatform::grabStopKey() {
  const KeyCode key = displayOpen_ ? XKeysymToKeycode(fl_display, XK_F8) : 0;
  if (!key) return false;
  XSync(fl_display, False);  // earlier requests' errors are not this grab's
  grabRefused = false;
  const XErrorHandler previous = XSetErrorHandler(noteRefusal);
  for (const unsigned state : lockStates(fl_display)) {
    XGrabKey(fl_display, key, state, DefaultRootWindow(fl_display), False, GrabModeAsync, GrabModeAsync);
  }
  XSync(fl_display, False);
  XSetErrorHandler(previous);
  if (grabRefused) {
    ungrab(fl_display, key);
    XSync(fl_display, False);
    return false;
  }
  stopKeyCode_ = key;
  return true;
}

void FltkPlatform::releaseStopKey() {
  if (!stopKeyCode_) return;
  ungrab(fl_display, static_cast<KeyCode>(stopKeyCode_));
  XFlush(fl_display);
  stopKeyCode_ = 0;
}

// Sees every X event before the toolkit does; takes the grabbed key's presses and releases.
int FltkPlatform::stopKeyEvent(void* event, void* platform) {
  const auto& e = *static_cast<const XEvent*>(event);
  auto& self = *static_cast<FltkPlatform*>(platform);
  if (e.type != KeyPress && e.type != KeyRelease) return 0;
  const bool grabbedKey = self.stopKeyCode_ && e.xkey.keycode == self.stopKeyCode_;
  if (!grabbedKey || e.xkey.window != DefaultRootWindow(fl_display)) return 0;
  if (e.type == KeyPress) self.stopKeyPressed();
  return 1;
}

}  // namespace quorvel
