// The one interface between Quorvel's logic and the system it runs on.
// Every operation is pure virtual so that a backend which forgets one does not compile.
#pragma once

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

class ControlSurface;
class ControlSurfaceClient;

// Monotonic time since the backend's own epoch.
using Duration = std::chrono::nanoseconds;

enum class TimerId : int {};

// Opaque handle of a top-level window; the backend gives it its meaning.
enum class WindowHandle : std::uintptr_t {};

// A point in pixels: client coordinates or screen coordinates, as the caller says.
struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Mouse-event flag words of an input record.
inline constexpr std::uint32_t kMouseLeftDown = 0x0002;
inline constexpr std::uint32_t kMouseLeftUp = 0x0004;

// One mouse input record with the fields of the system's own. The Windows backend copies each record into
// the system's, whose size and alignment differ between its 32- and 64-bit targets.
struct InputRecord {
  std::uint32_t type = 0;  // 0: mouse
  std::int32_t dx = 0;
  std::int32_t dy = 0;
  std::uint32_t mouseData = 0;
  std::uint32_t dwFlags = 0;
  std::uint32_t time = 0;  // 0: the system stamps the event
  std::uintptr_t dwExtraInfo = 0;
};

enum class MessageIcon { exclamation };

// Window and control geometry is in twips: 1/1440 inch, 15 twips to a pixel at 96 dpi.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kBaseDpi = 96;
inline constexpr int kTwipsPerPixel = kTwipsPerInch / kBaseDpi;

// Twips to whole pixels at a screen's dots per inch. Positions beyond any screen are kept far away
// rather than wrapped.
inline int twipsToPixels(double twips, int dpi = kBaseDpi) {
  if (std::isnan(twips)) return 0;
  constexpr double kFarAway = 1e7;
  return static_cast<int>(std::lround(std::clamp(twips * dpi / kTwipsPerInch, -kFarAway, kFarAway)));
}

inline double pixelsToTwips(double pixels, int dpi = kBaseDpi) { return pixels * kTwipsPerInch / dpi; }

struct TwipsPoint {
  float x = 0;
  float y = 0;
  friend bool operator==(const TwipsPoint&, const TwipsPoint&) = default;
};

struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// A colour as 0x00BBGGRR; with the high bit set, the low byte is a system colour index.
using Color = std::uint32_t;
inline constexpr Color kSystemColorFlag = 0x80000000u;
inline constexpr Color kButtonTextColor = kSystemColorFlag | 18u;
inline constexpr Color kWindowTextColor = kSystemColorFlag | 8u;

struct FontSpec {
  std::string name;  // empty: the platform's default control font
  double points = 0;
  int charset = 0;  // 134: GB2312
};

struct WindowSpec {
  std::string caption;
  int clientWidth = 0;  // twips
  int clientHeight = 0;
};

enum class ControlId : int {};

enum class ControlKind {
  frame,     // a plain group box with no caption
  label,     // sizes itself to its caption
  textBox,   // single line; maxLength limits typing only
  comboBox,  // drop-down list with an editable text part; typed text selects no item
  checkBox,  // values 0 clear, 1 checked, 2 grayed; a user click toggles clear and checked
  button,    // command button raising onClick
};

struct ControlSpec {
  ControlKind kind = ControlKind::label;
  std::optional<ControlId> container;  // none: the window's client area
  TwipsRect rect;                      // relative to the container
  std::string caption;
  FontSpec font;
  Color foreColor = kWindowTextColor;
  int maxLength = 0;  // 0: no limit
  std::vector<std::string> items;
  int tabIndex = -1;  // -1: never takes the focus
};

// A control's events. The key press handler may change the key code.
struct ControlHandlers {
  std::function<void()> onClick;   // button pressed, combo item chosen by the user, check box clicked
  std::function<void()> onChange;  // text changed, by the user or the program
  std::function<void(int& keyAscii)> onKeyPress;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Why the program cannot work here, in the user's language (no display, no way to inject input), or
  // nothing. Asked once before anything else; the message box still works when there is a problem.
  virtual std::optional<std::string> startupProblem() const = 0;

  // Timers: tick sources on the user-interface thread, created disabled. The first tick comes one
  // interval after enabling; enabling an enabled timer keeps its phase.
  virtual TimerId createTimer(Duration interval, std::function<void()> onTick) = 0;
  virtual void setTimerEnabled(TimerId timer, bool enabled) = 0;
  virtual bool timerEnabled(TimerId timer) const = 0;

  // Pointer placement and input injection.
  virtual Point clientToScreen(WindowHandle window, Point client) const = 0;
  virtual void setCursorPos(Point screen) = 0;
  // Injects the records in order as one uninterrupted batch; returns how many were injected.
  virtual std::uint32_t sendInput(std::span<const InputRecord> records) = 0;

  // Windows and controls.
  virtual WindowHandle createWindow(const WindowSpec& spec) = 0;
  // Left and top of the window's outer frame on the screen, in twips.
  virtual void moveWindow(WindowHandle window, TwipsPoint outerTopLeft) = 0;
  virtual TwipsPoint windowPosition(WindowHandle window) const = 0;
  // Dots per inch of the screen the window is on: 96 at 100 % scaling.
  virtual int windowDpi(WindowHandle window) const = 0;
  virtual void showWindow(WindowHandle window) = 0;
  virtual ControlId createControl(WindowHandle window, const ControlSpec& spec) = 0;
  virtual void setControlHandlers(ControlId control, ControlHandlers handlers) = 0;
  // An owner-drawn control: the host places it by `placement` (container, rect, tab stop), delivers its
  // input to `client` and paints the client's paint list. The client must outlive the surface.
  virtual std::unique_ptr<ControlSurface> createControlSurface(WindowHandle window,
                                                               const ControlSpec& placement,
                                                               ControlSurfaceClient& client) = 0;
  virtual std::string controlText(ControlId control) const = 0;
  // Raises onChange when the text really changes. Text set here is never cut to maxLength.
  virtual void setControlText(ControlId control, std::string_view text) = 0;
  virtual int listIndex(ControlId combo) const = 0;  // -1: no item selected
  virtual int checkValue(ControlId checkBox) const = 0;
  virtual void setCheckValue(ControlId checkBox, int value) = 0;
  virtual void setFocus(ControlId control) = 0;
  // Runs the event loop until every window is closed.
  virtual void runEventLoop() = 0;

  // Modal message box with one OK button; returns when the user has closed it. Timers keep ticking
  // while it is open.
  virtual void messageBox(std::string_view text, std::string_view title, MessageIcon icon) = 0;

  // The stop key, F8, taken from the whole desktop: while taken it reaches `onPressed` whichever
  // program has the keyboard, and no other program sees it. False where the system keeps it for
  // another program. Giving it back when it is not taken does nothing.
  virtual bool takeStopKey(std::function<void()> onPressed) = 0;
  virtual void giveBackStopKey() = 0;
};

}  // namespace quorvel
