#include "button/skin.h"
#include "button_fixture.h"

namespace quorvel {
namespace {

class ButtonPersistenceTest : public ButtonTest {
 protected:
  ButtonPersistenceTest() {
    host.setAmbientFont(testFont(5.25f));
    button.UserControl_Resize();
  }

  std::vector<std::string> keys(const PropertyStore& store) {
    std::vector<std::string> out;
    for (const auto& e : store.entries()) out.push_back(e.first);
    return out;
  }
};

TEST(PropertyStoreTest, KeysMatchWithoutRegardToCase) {
  PropertyStore s;
  s.write("caption", std::string{"a"});
  s.write("CAPTION", std::string{"b"});
  s.write("图", std::int16_t{5});
  ASSERT_EQ(s.entries().size(), 2u);
  EXPECT_EQ(s.entries()[0].first, "caption");
  EXPECT_EQ(s.readText("Caption"), "b");
  EXPECT_EQ(s.readInt32("图"), 5);
  s.erase("CaPtIoN");
  EXPECT_EQ(s.find("caption"), nullptr);
}

TEST(PropertyStoreTest, NarrowFormsConvertToTheTypeAskedFor) {
  PropertyStore s;
  s.write("short", std::int16_t{-3});
  s.write("fixed", FixedPoint{105000});
  s.write("half", FixedPoint{25000});
  s.write("flag", true);
  s.write("colour", std::int32_t{-2147483630});
  s.write("float", 3.5f);
  EXPECT_EQ(s.readInt32("short"), -3);
  EXPECT_EQ(s.readFloat("fixed"), 10.5f);
  EXPECT_EQ(s.readInt32("half"), 2);  // 2.5 rounds to even
  EXPECT_EQ(s.readInt32("float"), 4);
  EXPECT_EQ(s.readInt32("flag"), -1);
  EXPECT_TRUE(s.readBool("short"));
  EXPECT_EQ(s.readColor("colour"), kButtonTextColor);
  EXPECT_EQ(s.readColor("short"), 0xFFFFFFFDu);
  EXPECT_EQ(s.readInt32("missing", 7), 7);
  EXPECT_EQ(s.readText("missing"), "");
  EXPECT_THROW(s.readText("short"), PropertyTypeError);
  EXPECT_EQ(s.readInt32("missing"), 0);
  s.write("huge", 3e9f);
  EXPECT_THROW(s.readInt32("huge"), PropertyTypeError);
}

TEST_F(ButtonPersistenceTest, MissingKeysTakeTheirDefaults) {
  PropertyStore s;
  s.write("caption", std::string{"启动"});
  button.readProperties(s);
  EXPECT_TRUE(button.Enabled());
  EXPECT_EQ(button.风格(), 0);
  EXPECT_EQ(button.内部(2).picture, skinStore(0).of(Piece::内部, 2));
  EXPECT_EQ(button.ForeColor(), kButtonTextColor);
  EXPECT_EQ(button.Font().name, "");  // the font attributes that follow override the ambient font
  EXPECT_EQ(button.FontSize(), 0.0f);
  EXPECT_EQ(button.Caption(), "启动");
  EXPECT_EQ(button.图(), 0);
  EXPECT_EQ(lookShown(button), 2);
}

TEST_F(ButtonPersistenceTest, KeysInAnyCaseFeedTheirProperties) {
  PropertyStore s;
  s.write("CAPTION", std::string{"Go"});
  s.write("fontname", std::string{"宋体"});
  s.write("fontsize", FixedPoint{90000});
  s.write("FONTBOLD", true);
  s.write("forecolor", Color{0x000000FF});
  s.write("tooltiptext", std::string{"tip"});
  s.write("风格", std::int16_t{2});
  s.write("enabled", false);
  s.write("_extentx", std::int32_t{1085});
  button.readProperties(s);
  EXPECT_EQ(button.Caption(), "Go");
  EXPECT_EQ(button.fontname(), "宋体");
  EXPECT_EQ(button.FontSize(), 9.0f);
  EXPECT_TRUE(button.FontBold());
  EXPECT_EQ(button.ForeColor(), 0x000000FFu);  // read after the disabled look, so not greyed
  EXPECT_EQ(host.toolTip(), "tip");
  EXPECT_EQ(button.风格(), 2);
  EXPECT_FALSE(button.Enabled());
}

TEST_F(ButtonPersistenceTest, AttributesBypassTheSettersButTheOthersNotify) {
  PropertyStore s;
  s.write("Caption", std::string{"Go"});
  s.write("FontBold", true);
  s.write("FontSize", 9.0f);
  button.readProperties(s);
  EXPECT_EQ(host.changes(), (std::vector<std::string>{"虚线框", "蓝色框", "Enabled", "风格", "图", "icon"}));
}

TEST_F(ButtonPersistenceTest, UnreadableValuesAreSkipped) {
  PropertyStore s;
  s.write("Caption", std::int16_t{3});
  s.write("图", std::string{"five"});
  s.write("Font", std::string{"not a font"});
  s.write("FontName", std::string{"Kept"});
  s.write("风格", std::int32_t{1});
  button.readProperties(s);
  EXPECT_EQ(button.Caption(), "");
  EXPECT_EQ(button.图(), 0);
  EXPECT_EQ(button.fontname(), "Kept");
  EXPECT_EQ(button.风格(), 1);
}

// Defaults are left out, and removed from an old set written over.
TEST_F(ButtonPersistenceTest, WritesInItsOrderOmittingDefaults) {
  button.setCaption("");
  PropertyStore s;
  s.write("enabled", false);
  s.write("forecolor", Color{5});
  button.writeProperties(s);
  EXPECT_EQ(keys(s), (std::vector<std::string>{"蓝色框", "虚线框", "Caption", "图", "ToolTipText", "Font"}));
  EXPECT_EQ(s.find("Enabled"), nullptr);
  EXPECT_EQ(s.find("ForeColor"), nullptr);
  EXPECT_EQ(std::get<std::int32_t>(*s.find("蓝色框")), 0);
  EXPECT_EQ(std::get<std::string>(*s.find("Caption")), "");

  button.setFont(testFont(5.25f));  // the ambient font is left out too
  button.setEnabled(false);
  button.set风格(2);
  button.seticon(solidPicture(2, 2));
  button.setFontBold(true);
  button.setFontUnderline(true);
  button.setForeColor(0x00000001);
  PropertyStore t;
  button.writeProperties(t);
  EXPECT_EQ(keys(t), (std::vector<std::string>{"蓝色框", "虚线框", "Caption", "Enabled", "风格", "图",
                                               "ToolTipText", "icon", "Font", "FontBold", "FontName",
                                               "FontSize", "FontUnderline", "ForeColor"}));
  EXPECT_EQ(std::get<float>(*t.find("FontSize")), 5.25f);
  EXPECT_FALSE(std::get<bool>(*t.find("Enabled")));
}

TEST_F(ButtonPersistenceTest, WritingReadsTheBlueFrameWithItsLook) {
  bringUp();
  button.set蓝色框(1);
  PropertyStore s;
  button.writeProperties(s);
  EXPECT_EQ(lookShown(button), 0);
}

TEST_F(ButtonPersistenceTest, WhatIsWrittenReadsBackTheSame) {
  button.setCaption("保存");
  button.setFont(testFont(9));
  button.setfontname("宋体");
  button.setFontItalic(true);
  button.setForeColor(0x000000FF);
  button.set图(5);
  button.set风格(1);
  button.set虚线框(1);
  button.set蓝色框(1);
  button.setToolTipText("tip");
  const Picture icon = solidPicture(3, 3);
  button.seticon(icon);
  PropertyStore s;
  button.writeProperties(s);

  FakeControlSurface otherHost({615, 375});
  otherHost.setAmbientFont(testFont(5.25f));
  xpcommand copy(otherHost);
  copy.UserControl_Resize();
  copy.readProperties(s);
  EXPECT_EQ(copy.Caption(), "保存");
  EXPECT_EQ(copy.Font(), button.Font());
  EXPECT_EQ(copy.ForeColor(), 0x000000FFu);
  EXPECT_EQ(copy.图(), 5);
  EXPECT_EQ(copy.风格(), 1);
  EXPECT_EQ(copy.虚线框(), 1);
  EXPECT_EQ(copy.蓝色框(), 1);
  EXPECT_EQ(copy.ToolTipText(), "tip");
  EXPECT_EQ(copy.icon(), icon);
  EXPECT_EQ(copy.text().box, button.text().box);
  PropertyStore again;
  copy.writeProperties(again);
  EXPECT_EQ(keys(again), keys(s));
}

}  // namespace
}  // namespace quorvel
