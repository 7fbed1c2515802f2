// Logs every pointer button press it sees, one line per press, flushed at once:
//   press <button> <root x> <root y> <server time in ms>
// With --window X Y W H it shows a window of that geometry and logs the presses the window receives,
// and the keys pressed while it has the keyboard:
//   key <key name>
// With --raw it shows nothing and logs the raw presses of every pointer on the display, whichever
// window they land on, with the pointer's position read as the press arrives.
// A line "ready" tells the reader that nothing can be missed from then on.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Options {
  bool raw = false;
  int x = 0, y = 0;
  unsigned width = 0, height = 0;
};

[[noreturn]] void fail(const char* why, int status = 1) {
  std::fprintf(stderr, "recorder: %s\n", why);
  std::exit(status);
}

[[noreturn]] void usage() { fail("usage: recorder --window X Y W H | --raw", 2); }

Options parse(int argc, char** argv) {
  Options options;
  if (argc == 2 && std::strcmp(argv[1], "--raw") == 0) {
    options.raw = true;
  } else if (argc == 6 && std::strcmp(argv[1], "--window") == 0) {
    options.x = std::atoi(argv[2]);
    options.y = std::atoi(argv[3]);
    options.width = static_cast<unsigned>(std::atoi(argv[4]));
    options.height = static_cast<unsigned>(std::atoi(argv[5]));
    if (options.width == 0 || options.height == 0) usage();
  } else {
    usage();
  }
  return options;
}

void logPress(unsigned button, int rootX, int rootY, Time time) {
  std::printf("press %u %d %d %lu\n", button, rootX, rootY, static_cast<unsigned long>(time));
}

void logKey(KeySym key) {
  const char* name = XKeysymToString(key);
  std::printf("key %s\n", name ? name : "?");
}

[[noreturn]] void recordWindow(Display* display, const Options& options) {
  const int screen = DefaultScreen(display);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = WhitePixel(display, screen);
  attributes.event_mask = ButtonPressMask | KeyPressMask | StructureNotifyMask;
  const Window window =
      XCreateWindow(display, RootWindow(display, screen), options.x, options.y, options.width, options.height,
                    0, CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributes);
  XStoreName(display, window, "recorder");
  // Placed exactly where asked, also under a window manager.
  XSizeHints hints{};
  hints.flags = USPosition | USSize;
  hints.x = options.x;
  hints.y = options.y;
  hints.width = static_cast<int>(options.width);
  hints.height = static_cast<int>(options.height);
  XSetWMNormalHints(display, window, &hints);
  XMapWindow(display, window);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MapNotify) std::puts("ready");
    if (event.type == ButtonPress)
      logPress(event.xbutton.button, event.xbutton.x_root, event.xbutton.y_root, event.xbutton.time);
    if (event.type == KeyPress) logKey(XLookupKeysym(&event.xkey, 0));
  }
}

[[noreturn]] void recordRaw(Display* display) {
  int opcode = 0, firstEvent = 0, firstError = 0;
  if (!XQueryExtension(display, "XInputExtension", &opcode, &firstEvent, &firstError))
    fail("no XInput extension");
  // 2.2 delivers raw events to the root window even while another client grabs the pointer.
  int major = 2, minor = 2;
  if (XIQueryVersion(display, &major, &minor) != Success) fail("XInput 2 is not available");
  const Window root = DefaultRootWindow(display);
  unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
  XISetMask(bits, XI_RawButtonPress);
  XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
  XISelectEvents(display, root, &mask, 1);
  XSync(display, False);
  std::puts("ready");
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    XGenericEventCookie* cookie = &event.xcookie;
    if (cookie->type != GenericEvent || cookie->extension != opcode) continue;
    if (!XGetEventData(display, cookie)) continue;
    if (cookie->evtype == XI_RawButtonPress) {
      const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
      // Raw events carry no position; a clicker leaves the pointer where it pressed.
      Window rootReturn = 0, child = 0;
      int rootX = 0, rootY = 0, winX = 0, winY = 0;
      unsigned modifiers = 0;
      XQueryPointer(display, root, &rootReturn, &child, &rootX, &rootY, &winX, &winY, &modifiers);
      logPress(static_cast<unsigned>(raw->detail), rootX, rootY, raw->time);
    }
    XFreeEventData(display, cookie);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = parse(argc, argv);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each line reaches the reader at once
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) fail("cannot open the display");
  if (options.raw) recordRaw(display);
  recordWindow(display, options);
}
