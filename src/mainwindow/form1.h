// The main window: start-up, the slot editor and the Start command.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "mainwindow/form1_layout.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "sequencer/pointer.h"
#include "sequencer/sequencer.h"
#include "settings/config_file.h"
#include "settings/mdini.h"

namespace quorvel {

inline constexpr const char* kCorruptConfigText = "config.ini文件损坏！";
inline constexpr const char* kSystemNoticeTitle = "系统提示：";
inline constexpr const char* kNoSlotText = "序号未选择!";
inline constexpr const char* kSavedText = "保存完毕!";

class Form1 {
 public:
  Form1(Platform& platform, Files& files);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Chooses where config.ini lives, clears old temporary files there and creates the file when it is
  // missing. False when the check itself failed: the user has been told and the program must end.
  bool Form_Initialize();
  // Creates the window and its controls and puts the window where "screen" says.
  void Form_Load();
  // Shows the window with the focus on the slot number.
  void Show();

  void Combo1_Click();
  void Text2_Change(int index);
  void Text2_KeyPress(int index, int& keyAscii);
  void xpcommand2_Click();
  void xpcommand9_Click();

  WindowHandle window() const { return *window_; }
  const Form1Controls& controls() const { return controls_; }
  const Sequencer& sequencer() const { return *sequencer_; }
  const std::string& configPath() const { return configPath_; }

 private:
  void connectHandlers();

  Platform& platform_;
  Files& files_;
  ConfigLocation location_;
  std::string configPath_;
  std::optional<WindowHandle> window_;
  Form1Controls controls_;
  std::unique_ptr<Pointer> pointer_;
  std::unique_ptr<Sequencer> sequencer_;
};

}  // namespace quorvel
