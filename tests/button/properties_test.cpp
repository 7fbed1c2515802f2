#include <functional>

#include "button/skin.h"
#include "button_fixture.h"

namespace quorvel {
namespace {

using ButtonPropertiesTest = ButtonTest;

TEST_F(ButtonPropertiesTest, SettersNotifyAndReLayOutAsEachShould) {
  bringUp();
  const struct {
    const char* what;
    std::function<void(xpcommand&)> set;
    std::vector<std::string> notifications;
    bool laysOut;
  } cases[] = {
      {"Caption", [](xpcommand& b) { b.setCaption("Go"); }, {}, true},
      {"ToolTipText", [](xpcommand& b) { b.setToolTipText("tip"); }, {}, false},
      {"Font", [](xpcommand& b) { b.setFont(testFont(12)); }, {"Font"}, false},
      {"FontBold", [](xpcommand& b) { b.setFontBold(true); }, {"FontBold"}, false},
      {"FontItalic", [](xpcommand& b) { b.setFontItalic(true); }, {"FontItalic"}, false},
      {"fontname", [](xpcommand& b) { b.setfontname("Other"); }, {"FontName"}, false},
      {"FontSize", [](xpcommand& b) { b.setFontSize(14); }, {"FontSize"}, false},
      {"FontStrikethru", [](xpcommand& b) { b.setFontStrikethru(true); }, {"FontStrikethru"}, false},
      {"FontUnderline", [](xpcommand& b) { b.setFontUnderline(true); }, {"FontUnderline"}, false},
      {"ForeColor", [](xpcommand& b) { b.setForeColor(0x00FF0000); }, {"ForeColor"}, false},
      {"icon", [](xpcommand& b) { b.seticon(solidPicture(16, 16)); }, {"icon"}, true},
      {"图", [](xpcommand& b) { b.set图(1); }, {"图"}, true},
      {"风格", [](xpcommand& b) { b.set风格(1); }, {"风格"}, false},
      {"虚线框", [](xpcommand& b) { b.set虚线框(1); }, {"虚线框"}, false},
      {"蓝色框", [](xpcommand& b) { b.set蓝色框(1); }, {"蓝色框"}, false},
      {"Enabled", [](xpcommand& b) { b.setEnabled(false); }, {"Enabled"}, false},
  };
  for (const auto& c : cases) {
    host.clearChanges();
    log.clear();
    c.set(button);
    EXPECT_EQ(host.changes(), c.notifications) << c.what;
    EXPECT_EQ(log, c.laysOut ? std::vector<std::string>{"Resize"} : std::vector<std::string>{}) << c.what;
  }
}

TEST_F(ButtonPropertiesTest, ReadBackFromTheElements) {
  bringUp();
  button.setCaption("Go");
  button.setFont(testFont(12));
  button.setFontBold(true);
  button.setFontItalic(true);
  button.setFontUnderline(true);
  button.setFontStrikethru(true);
  button.setfontname("Other");
  button.setFontSize(7.5f);
  button.setToolTipText("tip");
  const Picture icon = solidPicture(4, 4);
  button.seticon(icon);
  EXPECT_EQ(button.Caption(), "Go");
  EXPECT_EQ(button.text().caption, "Go");
  EXPECT_TRUE(button.FontBold() && button.FontItalic() && button.FontUnderline() && button.FontStrikethru());
  EXPECT_EQ(button.fontname(), "Other");
  EXPECT_EQ(button.FontSize(), 7.5f);
  EXPECT_EQ(button.Font().name, "Other");
  EXPECT_EQ(button.ToolTipText(), "tip");
  EXPECT_EQ(host.toolTip(), "tip");
  EXPECT_EQ(button.icon(), icon);
  EXPECT_EQ(button.图标().picture, icon);
}

TEST_F(ButtonPropertiesTest, FontChangeResizesTheCaptionWhereItStands) {
  button.setFont(testFont(10));
  button.set图(5);
  button.setCaption("OK");
  const TwipsBox before = button.text().box;
  button.setFontSize(20);
  EXPECT_EQ(button.text().box.left, before.left);
  EXPECT_EQ(button.text().box.top, before.top);
  EXPECT_EQ(button.text().box.width, 400);
  EXPECT_EQ(button.text().box.height, 430);
}

TEST_F(ButtonPropertiesTest, StyleSetterReloadsTheSkinEvenToItsOwnValue) {
  bringUp();
  button.set风格(2);
  EXPECT_EQ(button.风格(), 2);
  EXPECT_EQ(button.内部(2).picture, skinStore(2).of(Piece::内部, 2));
  button.changeit(2);
  button.keyDown(13, 0);  // the pressed face stands in the interior
  ASSERT_EQ(button.内部(2).picture, pressedFace(2));
  button.set风格(2);
  EXPECT_EQ(button.内部(2).picture, skinStore(2).of(Piece::内部, 2));
}

TEST_F(ButtonPropertiesTest, FrameSettersChangeNothingOnScreen) {
  bringUp();
  const int repaints = host.repaints();
  button.set虚线框(1);
  button.set蓝色框(1);
  EXPECT_EQ(host.repaints(), repaints);
  EXPECT_EQ(lookShown(button), 2);
  EXPECT_EQ(button.蓝色框(), 1);  // the next read brings the framed look
  EXPECT_EQ(lookShown(button), 0);
  EXPECT_EQ(host.repaints(), repaints + 1);
}

}  // namespace
}  // namespace quorvel
