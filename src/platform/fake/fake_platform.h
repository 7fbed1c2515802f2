// Headless backend for tests: a virtual monotonic clock, windows that are only an origin, a pointer,
// and records of every injected event and message box. Files are real, in a folder the test chooses,
// and single operations can be made to fail.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/tick_scheduler.h"

namespace quorvel {

class FakePlatform final : public Platform {
 public:
  struct InjectedEvent {
    Duration time;
    Point position;  // pointer position when the event was injected
    InputRecord record;
    int batch;  // events injected by one sendInput call share a batch number
  };
  struct ShownMessage {
    Duration time;
    std::string text;
    std::string title;
    MessageIcon icon;
  };

  explicit FakePlatform(std::string executableDirectory);

  // Clock: runs every tick due up to now + step, in deadline order. Each handler starts `lateness`
  // after its deadline (or after the previous handler, if that is later).
  void advance(Duration step);
  Duration now() const { return now_; }
  void setHandlerLateness(Duration lateness) { lateness_ = lateness; }

  WindowHandle addWindow(Point clientOrigin);
  void moveWindow(WindowHandle window, Point clientOrigin);
  Point cursor() const { return cursor_; }
  const std::vector<InjectedEvent>& injected() const { return injected_; }
  const std::vector<ShownMessage>& messages() const { return messages_; }

  // Keeps files in memory instead of the folder, for runs that read the file hundreds of thousands of
  // times and test something else.
  void keepFilesInMemory() { memoryFiles_.emplace(); }

  // Failure injection: after `after` more calls that work, the next `count` calls of the kind fail.
  void failFileChecks(int count) { failingChecks_ = count; }
  void failFileWrites(int count, int after = 0) {
    failingWrites_ = count;
    writesBeforeFailing_ = after;
  }
  int fileWrites() const { return fileWrites_; }

  TimerId createTimer(Duration interval, std::function<void()> onTick) override;
  void setTimerEnabled(TimerId timer, bool enabled) override;
  bool timerEnabled(TimerId timer) const override;
  Point clientToScreen(WindowHandle window, Point client) const override;
  void setCursorPos(Point screen) override;
  std::uint32_t sendInput(std::span<const InputRecord> records) override;
  void messageBox(std::string_view text, std::string_view title, MessageIcon icon) override;
  std::string executableDirectory() const override;
  char pathSeparator() const override;
  FileCheck fileExists(const std::string& path) override;
  std::optional<std::string> readFile(const std::string& path) override;
  bool replaceFile(const std::string& path, std::string_view contents) override;
  std::string_view nativeLineEnd() const override;

 private:
  TickScheduler scheduler_;
  Duration now_{};
  Duration lateness_{};
  std::vector<Point> windowOrigins_;
  Point cursor_;
  std::vector<InjectedEvent> injected_;
  int batches_ = 0;
  std::vector<ShownMessage> messages_;
  std::string executableDirectory_;
  int failingChecks_ = 0;
  int failingWrites_ = 0;
  int writesBeforeFailing_ = 0;
  int fileWrites_ = 0;
  std::optional<std::map<std::string, std::string>> memoryFiles_;
};

}  // namespace quorvel
