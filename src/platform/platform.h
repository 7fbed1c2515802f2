// The one interface between Quorvel's logic and the system it runs on.
// Every operation is pure virtual so that a backend which forgets one does not compile.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

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

// One mouse input record, laid out like the system's own so that the Windows backend can hand an
// array of them over unchanged on the 32-bit target.
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

// Outcome of asking whether a file exists: the question itself can fail.
enum class FileCheck { exists, missing, failed };

class Platform {
 public:
  virtual ~Platform() = default;

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

  // Modal message box with one OK button; returns when the user has closed it. Timers keep ticking
  // while it is open.
  virtual void messageBox(std::string_view text, std::string_view title, MessageIcon icon) = 0;

  // Files. Paths are UTF-8. The directory comes without a trailing separator.
  virtual std::string executableDirectory() const = 0;
  virtual char pathSeparator() const = 0;
  virtual FileCheck fileExists(const std::string& path) = 0;
  // The whole file, or nothing when it is missing or cannot be read.
  virtual std::optional<std::string> readFile(const std::string& path) = 0;
  // Replaces the file's contents atomically: on failure the old file is left exactly as it was.
  virtual bool replaceFile(const std::string& path, std::string_view contents) = 0;
  // The line end that a new text file gets on this system.
  virtual std::string_view nativeLineEnd() const = 0;
};

}  // namespace quorvel
