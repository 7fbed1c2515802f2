// The main window on the fake platform: start-up, the editor as a user drives it, and Start.
#include "mainwindow/form1.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "mainwindow/app.h"
#include "platform/fake/fake_platform.h"
#include "platform/native_files/fake_files.h"
#include "settings/config_file.h"
#include "settings/ini_profile.h"
#include "settings/mdini.h"
#include "support/temp_dir.h"

namespace quorvel {
namespace {

using testing::readBytes;
using testing::writeBytes;

class Form1Test : public ::testing::Test {
 protected:
  testing::TempDir dir;
  FakePlatform fake;
  FakeFiles files{dir.str()};
  Form1 form{fake, files};

  std::string config() const { return dir.file("config.ini"); }
  void start() { bringUp(form); }
  static void bringUp(Form1& window) {
    ASSERT_TRUE(window.Form_Initialize());
    window.Form_Load();
    window.Show();
  }
  void put(const char* section, const char* key, std::string_view value) {
    writeini(files, portableConfigPath(files), section, key, value);
  }
  const Form1Controls& c() const { return form.controls(); }
  ControlId save() const { return *fake.controlWithTabIndex(form.window(), kSaveTabIndex); }
  ControlId startButton() const { return *fake.controlWithTabIndex(form.window(), kStartTabIndex); }
  std::string text(int field) const { return fake.controlText(c().Text2[field]); }
  Point clientOrigin() const { return fake.clientToScreen(form.window(), Point{0, 0}); }
  std::string stored(const char* section, const char* key) {
    return readini(files, portableConfigPath(files), section, key, "<missing>");
  }
};

TEST_F(Form1Test, FirstStartCreatesTheDefaultFileAndOpensAtTheCorner) {
  EXPECT_EQ(runQuorvel(fake, files), 0);
  EXPECT_EQ(files.fileWrites(), 82);
  EXPECT_EQ(iniLookup(readBytes(config()), "no20", "f"), "0");
  const WindowHandle window = static_cast<WindowHandle>(0);
  EXPECT_EQ(fake.windowSpecOf(window).caption, "Quorvel(1.0)");
  EXPECT_EQ(fake.windowSpecOf(window).clientWidth, 2055);
  EXPECT_EQ(fake.windowSpecOf(window).clientHeight, 2895);
  EXPECT_EQ(fake.windowPosition(window), (TwipsPoint{0, 0}));
  EXPECT_TRUE(fake.windowShown(window));
}

TEST_F(Form1Test, FailedExistenceCheckEndsStartUpWithTheMessage) {
  files.failFileChecks(1);
  EXPECT_EQ(runQuorvel(fake, files), 1);
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].text, "config.ini文件损坏！");
  EXPECT_EQ(fake.messages()[0].title, "系统提示：");
  EXPECT_EQ(files.fileWrites(), 0);
  EXPECT_THROW(fake.windowSpecOf(static_cast<WindowHandle>(0)), std::out_of_range) << "no window was made";
}

TEST_F(Form1Test, ExistingFileIsNotCompletedAndGivesThePosition) {
  writeBytes(config(), "[screen]\r\nx=-120\r\ny=750\r\n");
  start();
  EXPECT_EQ(readBytes(config()), "[screen]\r\nx=-120\r\ny=750\r\n");
  EXPECT_EQ(fake.windowPosition(form.window()), (TwipsPoint{-120, 750}));
  EXPECT_EQ(clientOrigin(), (Point{-8 + FakePlatform::kFrameOffset.x, 50 + FakePlatform::kFrameOffset.y}));
}

TEST_F(Form1Test, FocusStartsOnTheSlotNumberAndTabFollowsTheOrder) {
  start();
  EXPECT_EQ(fake.focus(), c().Combo1);
  const ControlId order[] = {c().Text2[0], c().Text2[1],  c().Text2[2], c().Check1,
                             save(),       startButton(), c().Combo1};
  for (ControlId expected : order) {
    fake.pressTab();
    EXPECT_EQ(fake.focus(), expected);
  }
}

TEST_F(Form1Test, ChoosingASlotShowsItsTextsAndPreviewsItsPoint) {
  start();
  put("no7", "x", "12a");
  put("no7", "y", "1234567");  // longer than typing allows: shown whole
  put("no7", "t", "");
  fake.chooseItem(c().Combo1, 6);
  EXPECT_EQ(text(0), "12a");
  EXPECT_EQ(text(1), "1234567");
  EXPECT_EQ(text(2), "");
  EXPECT_EQ(fake.cursor(), (Point{clientOrigin().x + 12, clientOrigin().y + 1234567}));
}

// The third state, shown for "1e12", is saved back as 2.
TEST_F(Form1Test, StoredFlagSetsTheCheckBox) {
  start();
  const struct {
    const char* stored;
    int shown;
  } cases[] = {{"0", 0},   {"1", 1},   {"2", 2}, {"1.4", 1}, {"1.5", 2},
               {"0.5", 0}, {"abc", 0}, {"5", 2}, {"-1", 2},  {"1e12", 2}};
  for (const auto& k : cases) {
    put("no2", "f", k.stored);
    fake.chooseItem(c().Combo1, 1);
    EXPECT_EQ(fake.checkValue(c().Check1), k.shown) << "stored " << k.stored;
  }
  fake.click(save());
  EXPECT_EQ(stored("no2", "f"), "2");
}

// An x that overflows the preview moves nothing and says nothing.
TEST_F(Form1Test, TypingMovesThePointerAndEnterMovesTheFocus) {
  start();
  fake.chooseItem(c().Combo1, 0);
  fake.setControlText(c().Text2[0], "");
  fake.typeText(c().Text2[0], "-50");
  EXPECT_EQ(fake.cursor(), (Point{clientOrigin().x - 50, clientOrigin().y}));
  fake.pressKey(c().Text2[0], 13);
  EXPECT_EQ(fake.focus(), c().Text2[1]);
  fake.typeText(c().Text2[1], "7");  // appended to the loaded "0"
  EXPECT_EQ(fake.cursor(), (Point{clientOrigin().x - 50, clientOrigin().y + 7}));
  fake.pressKey(c().Text2[1], 13);
  EXPECT_EQ(fake.focus(), c().Text2[2]);
  fake.typeText(c().Text2[2], "1234");
  EXPECT_EQ(text(2), "012") << "typing stops at three characters";
  fake.pressKey(c().Text2[2], 13);
  EXPECT_EQ(fake.focus(), c().Text2[2]);
  fake.setControlText(c().Text2[0], "9e9");
  EXPECT_EQ(fake.cursor(), (Point{clientOrigin().x - 50, clientOrigin().y + 7}));
  EXPECT_TRUE(fake.messages().empty());
}

TEST_F(Form1Test, SaveWithoutASlotAsksForOne) {
  start();
  const std::string before = readBytes(config());
  fake.typeText(c().Combo1, "3");  // typed text selects no item
  fake.click(save());
  EXPECT_EQ(fake.focus(), c().Combo1);
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].text, "序号未选择!");
  EXPECT_EQ(fake.messages()[0].title, "提示：");
  EXPECT_EQ(readBytes(config()), before);
}

TEST_F(Form1Test, SaveWritesTheSlotAndThePosition) {
  start();
  fake.moveWindow(form.window(), TwipsPoint{1500, 750});
  fake.chooseItem(c().Combo1, 4);
  fake.setControlText(c().Text2[0], "");
  fake.typeText(c().Text2[0], "12a");
  fake.setControlText(c().Text2[1], "");
  fake.setControlText(c().Text2[2], " 3");
  fake.click(c().Check1);
  fake.click(save());
  EXPECT_EQ(stored("no5", "x"), "12a");
  EXPECT_EQ(stored("no5", "y"), "");
  EXPECT_EQ(stored("no5", "t"), " 3");
  EXPECT_EQ(stored("no5", "f"), "1");
  EXPECT_EQ(stored("screen", "x"), "1500");
  EXPECT_EQ(stored("screen", "y"), "750");
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].text, "保存完毕!");
  EXPECT_EQ(text(0), "12a") << "the fields keep their contents";
  EXPECT_EQ(fake.listIndex(c().Combo1), 4);
}

// The box says why, and the fields keep what was typed.
TEST_F(Form1Test, FailedSaveSaysWhyAndKeepsTheFields) {
  start();
  fake.chooseItem(c().Combo1, 0);
  const struct {
    FileFault fault;
    std::string why;
  } cases[] = {{FileFault::readOnlyFile, "config.ini 是只读文件"},
               {FileFault::readOnlyFolder, "config.ini 所在的文件夹“" + dir.str() + "”是只读的"},
               {FileFault::notAFile, "config.ini 不是普通文件"},
               {FileFault::diskFull, "磁盘已满"},
               {FileFault::other, "config.ini 无法写入"}};
  for (const auto& [fault, why] : cases) {
    fake.setControlText(c().Text2[0], "42");
    files.failStep(FileStep::write, 1, 0, fault);
    fake.click(save());
    EXPECT_EQ(fake.messages().back().text, "保存失败！" + why + "，输入的内容仍保留在窗口中。");
  }
  files.lackCharacters("中");
  fake.setControlText(c().Text2[0], "4中2");
  fake.click(save());
  ASSERT_EQ(fake.messages().size(), std::size(cases) + 1);
  EXPECT_EQ(fake.messages().back().text,
            "保存失败！字符“中”无法用系统代码页保存，输入的内容仍保留在窗口中。");
  EXPECT_EQ(fake.messages().back().title, "提示：");
  EXPECT_EQ(text(0), "4中2");
  EXPECT_EQ(stored("no1", "x"), "0");
}

// Installed where its user cannot write: config.ini is made in the user's folder, old temporary files
// there are cleared, and Save writes there.
TEST_F(Form1Test, ProgramInAClosedFolderKeepsItsSettingsInTheUsersFolder) {
  const std::string own = dir.file("home/.config/quorvel");
  files.refuseNewFiles(dir.str());
  files.setUserSettingsDirectory(own);
  std::filesystem::create_directories(own);
  const std::string leftover = own + "/config.ini.Ab12Cd.quorvel-tmp";
  writeBytes(leftover, "x");
  std::filesystem::last_write_time(leftover,
                                   std::filesystem::file_time_type::clock::now() - std::chrono::minutes(2));
  start();
  EXPECT_EQ(form.configPath(), own + files.pathSeparator() + "config.ini");
  EXPECT_EQ(iniLookup(readBytes(form.configPath()), "no20", "f"), "0");
  EXPECT_FALSE(std::filesystem::exists(leftover));
  fake.chooseItem(c().Combo1, 2);
  fake.setControlText(c().Text2[0], "7");
  fake.click(save());
  EXPECT_EQ(fake.messages().back().text, "保存完毕!");
  EXPECT_EQ(iniLookup(readBytes(form.configPath()), "no3", "x"), "7");
  EXPECT_FALSE(std::filesystem::exists(config()));
}

// Where config.ini can live nowhere the window still opens, with no word at start-up; Save then names the
// program's folder, the settings folder tried and what is wrong with it.
TEST_F(Form1Test, SaveWhereConfigCanLiveNowhereNamesTheFoldersTried) {
  const std::string own = dir.file("home/.config/quorvel");
  const std::string nowhere = "保存失败！程序所在的文件夹“" + dir.str() + "”是只读的，\n";
  const struct {
    SettingsFolder userFolder;
    std::string text;
  } cases[] = {{{own, FolderFault::missing, dir.file("home")},
                nowhere + "设置文件夹“" + own + "”也无法建立：“" + dir.file("home") +
                    "”不存在，输入的内容仍保留在窗口中。"},
               {{"", FolderFault::noHome, ""},
                nowhere + "也找不到用户的主文件夹来存放设置，输入的内容仍保留在窗口中。"}};
  for (const auto& [userFolder, text] : cases) {
    FakePlatform platform;
    FakeFiles closed(dir.str());
    closed.refuseNewFiles(dir.str());
    closed.refuseUserSettingsDirectory(userFolder);
    Form1 window(platform, closed);
    bringUp(window);
    EXPECT_TRUE(platform.messages().empty());
    platform.chooseItem(window.controls().Combo1, 0);
    platform.click(*platform.controlWithTabIndex(window.window(), kSaveTabIndex));
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages().back().text, text);
  }
}

TEST_F(Form1Test, StartButtonRunsTheSlotsRelativeToTheClientArea) {
  start();
  fake.moveWindow(form.window(), TwipsPoint{300, 150});
  for (const auto& [key, value] : {std::pair{"x", "10"}, {"y", "10"}, {"t", "1"}, {"f", "1"}})
    put("no1", key, value);
  fake.click(startButton());
  fake.advance(std::chrono::milliseconds(1000));
  ASSERT_EQ(fake.injected().size(), 2u);
  EXPECT_EQ(fake.injected()[0].position,
            (Point{20 + FakePlatform::kFrameOffset.x + 10, 10 + FakePlatform::kFrameOffset.y + 10}));
}

// What each stored set holds is the button tests' (Form1Buttons); here, that Save and Start are made from
// them.
TEST_F(Form1Test, ButtonsComeFromTheirStoredPropertySets) {
  start();
  for (const auto& [button, caption] :
       {std::pair{c().xpcommand2.get(), "保存"}, {c().xpcommand9.get(), "启动"}}) {
    EXPECT_EQ(button->control().Caption(), caption);
    EXPECT_TRUE(button->control().内部(2).visible) << caption << " shown in the plain look";
  }
  EXPECT_EQ(c().xpcommand9->control().图(), 5);
}

TEST_F(Form1Test, ButtonsWorkFromTheKeyboard) {
  start();
  fake.chooseItem(c().Combo1, 1);
  for (int i = 0; i < 5; ++i) fake.pressTab();
  ASSERT_EQ(fake.focus(), save());
  fake.pressKey(save(), 32);  // Space
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].text, "保存完毕!");
  fake.pressTab();
  ASSERT_EQ(fake.focus(), startButton());
  fake.pressKey(startButton(), 13);  // Enter
  EXPECT_TRUE(fake.timerEnabled(form.sequencer().timer(1)));
}

}  // namespace
}  // namespace quorvel
