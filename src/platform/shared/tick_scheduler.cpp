#include "platform/shared/tick_scheduler.h"

#include <stdexcept>
#include <utility>

namespace quorvel {

TimerId TickScheduler::create(Duration interval, std::function<void()> onTick) {
  if (interval <= Duration::zero()) throw std::invalid_argument("timer interval must be positive");
  entries_.push_back(Entry{interval, std::move(onTick)});
  return static_cast<TimerId>(entries_.size() - 1);
}

TickScheduler::Entry& TickScheduler::entry(TimerId timer) {
  return entries_.at(static_cast<std::size_t>(timer));
}

const TickScheduler::Entry& TickScheduler::entry(TimerId timer) const {
  return entries_.at(static_cast<std::size_t>(timer));
}

void TickScheduler::setEnabled(TimerId timer, bool enabled, Duration now) {
  Entry& e = entry(timer);
  if (!enabled) {
    e.enabled = false;
    return;
  }
  if (e.enabled) return;  // keeps its phase
  const Duration reference = references_.empty() ? now : references_.back();
  e.enabled = true;
  e.deadline = reference + e.interval;
  e.armedOrder = nextArmedOrder_++;
}

bool TickScheduler::enabled(TimerId timer) const { return entry(timer).enabled; }

std::optional<Duration> TickScheduler::nextDeadline() const {
  std::optional<Duration> earliest;
  for (const Entry& e : entries_) {
    if (e.enabled && (!earliest || e.deadline < *earliest)) earliest = e.deadline;
  }
  return earliest;
}

std::optional<TickScheduler::DueTick> TickScheduler::takeDue(Duration now) {
  Entry* best = nullptr;
  std::size_t bestIndex = 0;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    Entry& e = entries_[i];
    if (!e.enabled || e.deadline > now) continue;
    if (!best || e.deadline < best->deadline ||
        (e.deadline == best->deadline && e.armedOrder < best->armedOrder)) {
      best = &e;
      bestIndex = i;
    }
  }
  if (!best) return std::nullopt;
  const Duration scheduled = best->deadline;
  // Next grid point strictly after `now`: missed ticks are dropped, not replayed.
  const auto missed = (now - scheduled) / best->interval;
  best->deadline = scheduled + best->interval * (missed + 1);
  return DueTick{static_cast<TimerId>(bestIndex), scheduled};
}

void TickScheduler::run(const DueTick& tick) {
  // Copy: the handler may create timers, which can move the table.
  const std::function<void()> handler = entry(tick.timer).onTick;
  references_.push_back(tick.scheduled);
  struct PopReference {
    std::vector<Duration>& stack;
    ~PopReference() { stack.pop_back(); }
  } pop{references_};
  if (handler) handler();
}

}  // namespace quorvel
