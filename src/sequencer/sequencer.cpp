#include "sequencer/sequencer.h"

#include <functional>
#include <limits>
#include <optional>
#include <vector>

#include "sequencer/overflow_message.h"
#include "settings/config_file.h"
#include "settings/conversions.h"
#include "settings/mdini.h"
#include "settings/text_to_number.h"

namespace quorvel {

Sequencer::Sequencer(Platform& platform, Files& files, std::string configPath, Pointer& pointer)
    : platform_(platform), files_(files), configPath_(std::move(configPath)), pointer_(pointer) {
  for (int k = 1; k <= kSlotCount; ++k) {
    timers_[k] = platform_.createTimer(kSlotTick, [this, k] { Timer_Timer(k); });
  }
}

Sequencer::~Sequencer() { Stop(); }

void Sequencer::Start() {
  handle(0, [this] { startCycle(); });
}

void Sequencer::Stop() {
  for (int k = 1; k <= kSlotCount; ++k) platform_.setTimerEnabled(timers_[k], false);
  followRun();
}

void Sequencer::followRun() {
  bool active = false;
  for (int k = 1; k <= kSlotCount; ++k) active = active || platform_.timerEnabled(timers_[k]);
  if (active == running_) return;
  running_ = active;
  if (active) {
    platform_.takeStopKey([this] { Stop(); });
  } else {
    platform_.giveBackStopKey();
  }
}

void Sequencer::startCycle() {
  for (int i = 1; i <= kSlotCount; ++i) table_.ticks[i] = 0;
  LoadSlots();
  platform_.setTimerEnabled(timers_[1], true);
}

void Sequencer::LoadSlots() {
  std::vector<std::string> sections;
  for (int i = 1; i <= kSlotCount; ++i) sections.push_back(slotSection(i));
  const IniSnapshot config(files_, configPath_, {sections.begin(), sections.end()}, {"x", "y", "t", "f"});
  for (int i = 1; i <= kSlotCount; ++i) {
    const std::string& section = sections[static_cast<std::size_t>(i - 1)];
    auto read = [&](const char* key) { return config.read(section, key, "0"); };
    table_.x[i] = toFloat32(TextToNumber(read("x")));
    table_.y[i] = toFloat32(TextToNumber(read("y")));
    const std::string t = read("t");
    table_.t[i] = toInt16(TextToNumber(t), ValueOrigin{"t", i, t});
    const std::string f = read("f");
    table_.f[i] = toUInt8(TextToNumber(f), ValueOrigin{"f", i, f});
  }
}

void Sequencer::Timer_Timer(int slot) {
  handle(slot, [this, slot] { tick(slot); });
}

// An overflow stops the step and is reported once the run has been followed, so that a run it ended
// has given the stop key back while the box is open.
void Sequencer::handle(int slot, const std::function<void()>& step) {
  std::optional<ValueOrigin> overflow;
  try {
    step();
  } catch (const OverflowError& error) {
    overflow = error.origin();
  }
  followRun();
  if (!overflow) return;
  if (overflow->slot == 0) overflow->slot = slot;  // a point this slot could not place
  reportOverflow(platform_, *overflow);
}

void Sequencer::tick(int k) {
  if (table_.ticks[k] == std::numeric_limits<std::int32_t>::max()) {
    platform_.setTimerEnabled(timers_[k], false);
    throw OverflowError(ValueOrigin{"ticks", k, std::to_string(table_.ticks[k]) + " + 1"});
  }
  ++table_.ticks[k];

  if (table_.t[k] < 1) {
    platform_.setTimerEnabled(timers_[k], false);
    if (k >= 2) startCycle();
    return;
  }
  if (table_.f[k] != 1 || table_.ticks[k] < table_.t[k]) return;

  platform_.setTimerEnabled(timers_[k], false);
  pointer_.MoveMouse(table_.x[k], table_.y[k]);
  pointer_.ClickMouse(kMouseLeftDown, kMouseLeftUp);
  if (k < kSlotCount) {
    platform_.setTimerEnabled(timers_[k + 1], true);
  } else {
    startCycle();
  }
}

}  // namespace quorvel
