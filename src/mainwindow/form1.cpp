#include "mainwindow/form1.h"

#include <exception>

#include "mainwindow/save_message.h"
#include "sequencer/overflow_message.h"
#include "settings/config_file.h"
#include "settings/conversions.h"
#include "settings/mdini.h"
#include "settings/text_to_number.h"

namespace quorvel {
namespace {

// The check box knows clear, checked and its third state. A stored flag that is neither 0 nor 1 holds the
// run just as 2 does, so it is shown in the third state rather than as a state that would click.
int checkStateFor(const std::string& storedFlag) {
  const double rounded = roundHalfEven(TextToNumber(storedFlag));
  if (rounded == 0) return 0;
  if (rounded == 1) return 1;
  return 2;
}

}  // namespace

Form1::Form1(Platform& platform, Files& files) : platform_(platform), files_(files) {}

bool Form1::Form_Initialize() {
  try {
    const auto location = chooseConfigDirectory(files_);
    if (location) {
      location_ = *location;
      configPath_ = configPathIn(files_, location->directory);
      removeLeftovers(files_, location->directory);
      switch (files_.fileExists(configPath_)) {
        case FileCheck::missing:
          defaultconfig(files_, configPath_);
          return true;
        case FileCheck::exists:
          return true;
        case FileCheck::failed:
          break;
      }
    }
  } catch (const std::exception&) {
    // Falls through to the same message as a failed check.
  }
  platform_.messageBox(kCorruptConfigText, kSystemNoticeTitle, MessageIcon::exclamation);
  return false;
}

void Form1::Form_Load() {
  window_ = platform_.createWindow(WindowSpec{kMainCaption, kClientWidth, kClientHeight});
  controls_ = createForm1Controls(platform_, *window_);
  pointer_ = std::make_unique<Pointer>(platform_, *window_);
  sequencer_ = std::make_unique<Sequencer>(platform_, files_, configPath_, *pointer_);
  connectHandlers();

  auto stored = [&](const char* key) {
    return toFloat32(TextToNumber(readini(files_, configPath_, "screen", key, "0")));
  };
  const float left = stored("x");
  const float top = stored("y");
  platform_.moveWindow(*window_, TwipsPoint{left, top});
}

void Form1::Show() {
  platform_.showWindow(*window_);
  platform_.setFocus(controls_.Combo1);
}

void Form1::connectHandlers() {
  platform_.setControlHandlers(controls_.Combo1, ControlHandlers{[this] { Combo1_Click(); }, {}, {}});
  for (int i = 0; i < 3; ++i) {
    platform_.setControlHandlers(
        controls_.Text2[i],
        ControlHandlers{{}, [this, i] { Text2_Change(i); }, [this, i](int& key) { Text2_KeyPress(i, key); }});
  }
  controls_.xpcommand2->control().events.Click = [this] { xpcommand2_Click(); };
  controls_.xpcommand9->control().events.Click = [this] { xpcommand9_Click(); };
}

void Form1::Combo1_Click() {
  const int item = platform_.listIndex(controls_.Combo1);
  if (item < 0) return;
  const std::string section = slotSection(item + 1);
  auto read = [&](const char* key) { return readini(files_, configPath_, section, key, "0"); };
  platform_.setControlText(controls_.Text2[0], read("x"));
  platform_.setControlText(controls_.Text2[1], read("y"));
  platform_.setControlText(controls_.Text2[2], read("t"));
  platform_.setCheckValue(controls_.Check1, checkStateFor(read("f")));
}

void Form1::Text2_Change(int index) {
  if (index == 2) return;
  const float x = toFloat32(TextToNumber(platform_.controlText(controls_.Text2[0])));
  const float y = toFloat32(TextToNumber(platform_.controlText(controls_.Text2[1])));
  try {
    pointer_->MoveMouse(x, y);
  } catch (const OverflowError&) {
    // Half-typed numbers pass through such values; a message box now would take the focus mid-typing.
    // A run that meets the same value stops with a message.
  }
}

void Form1::Text2_KeyPress(int index, int& keyAscii) {
  constexpr int kEnter = 13;
  if (keyAscii != kEnter) return;
  if (index == 0) platform_.setFocus(controls_.Text2[1]);
  if (index == 1) platform_.setFocus(controls_.Text2[2]);
}

void Form1::xpcommand2_Click() {
  if (platform_.listIndex(controls_.Combo1) < 0) {
    platform_.setFocus(controls_.Combo1);
    platform_.messageBox(kNoSlotText, kNoticeTitle, MessageIcon::exclamation);
    return;
  }
  // The selected item's text is the slot number.
  const double slot = roundHalfEven(TextToNumber(platform_.controlText(controls_.Combo1)));
  const std::string section = slotSection(static_cast<int>(slot));
  const SlotFields fields{platform_.controlText(controls_.Text2[0]),
                          platform_.controlText(controls_.Text2[1]),
                          platform_.controlText(controls_.Text2[2]), platform_.checkValue(controls_.Check1)};
  const TwipsPoint position = platform_.windowPosition(*window_);
  const IniWriteResult saved = writeconfig(files_, configPath_, section, fields, position.x, position.y);
  platform_.messageBox(saved ? kSavedText : saveFailedText(saved, location_), kNoticeTitle,
                       MessageIcon::exclamation);
}

void Form1::xpcommand9_Click() { sequencer_->Start(); }

}  // namespace quorvel
