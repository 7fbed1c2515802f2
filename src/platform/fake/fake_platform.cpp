#include "platform/fake/fake_platform.h"

#include <algorithm>

#include "platform/native_files.h"

namespace quorvel {

FakePlatform::FakePlatform(std::string executableDirectory)
    : executableDirectory_(std::move(executableDirectory)) {}

void FakePlatform::advance(Duration step) {
  const Duration target = now_ + step;
  while (const auto deadline = scheduler_.nextDeadline()) {
    if (*deadline > target) break;
    now_ = std::max(now_, *deadline) + lateness_;
    if (const auto due = scheduler_.takeDue(now_)) scheduler_.run(*due);
  }
  now_ = std::max(now_, target);
}

WindowHandle FakePlatform::addWindow(Point clientOrigin) {
  windowOrigins_.push_back(clientOrigin);
  return static_cast<WindowHandle>(windowOrigins_.size() - 1);
}

void FakePlatform::moveWindow(WindowHandle window, Point clientOrigin) {
  windowOrigins_.at(static_cast<std::size_t>(window)) = clientOrigin;
}

TimerId FakePlatform::createTimer(Duration interval, std::function<void()> onTick) {
  return scheduler_.create(interval, std::move(onTick));
}

void FakePlatform::setTimerEnabled(TimerId timer, bool enabled) { scheduler_.setEnabled(timer, enabled, now_); }

bool FakePlatform::timerEnabled(TimerId timer) const { return scheduler_.enabled(timer); }

Point FakePlatform::clientToScreen(WindowHandle window, Point client) const {
  const Point origin = windowOrigins_.at(static_cast<std::size_t>(window));
  return Point{origin.x + client.x, origin.y + client.y};
}

void FakePlatform::setCursorPos(Point screen) { cursor_ = screen; }

std::uint32_t FakePlatform::sendInput(std::span<const InputRecord> records) {
  ++batches_;
  for (const InputRecord& record : records) injected_.push_back(InjectedEvent{now_, cursor_, record, batches_});
  return static_cast<std::uint32_t>(records.size());
}

void FakePlatform::messageBox(std::string_view text, std::string_view title, MessageIcon icon) {
  messages_.push_back(ShownMessage{now_, std::string(text), std::string(title), icon});
}

std::string FakePlatform::executableDirectory() const { return executableDirectory_; }

char FakePlatform::pathSeparator() const { return native::pathSeparator(); }

FileCheck FakePlatform::fileExists(const std::string& path) {
  if (failingChecks_ > 0) {
    --failingChecks_;
    return FileCheck::failed;
  }
  if (memoryFiles_) return memoryFiles_->contains(path) ? FileCheck::exists : FileCheck::missing;
  return native::fileExists(path);
}

std::optional<std::string> FakePlatform::readFile(const std::string& path) {
  if (memoryFiles_) {
    const auto file = memoryFiles_->find(path);
    return file == memoryFiles_->end() ? std::nullopt : std::optional<std::string>(file->second);
  }
  return native::readFile(path);
}

bool FakePlatform::replaceFile(const std::string& path, std::string_view contents) {
  ++fileWrites_;
  if (writesBeforeFailing_ > 0) {
    --writesBeforeFailing_;
  } else if (failingWrites_ > 0) {
    --failingWrites_;
    return false;
  }
  if (memoryFiles_) {
    (*memoryFiles_)[path] = contents;
    return true;
  }
  return native::replaceFile(path, contents);
}

std::string_view FakePlatform::nativeLineEnd() const { return native::lineEnd(); }

}  // namespace quorvel
