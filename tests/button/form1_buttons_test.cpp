#include "mainwindow/form1_buttons.h"

#include "button/skin.h"
#include "button_fixture.h"

namespace quorvel {
namespace {

const CaptionFont kFrameFont{"宋体", 5.25f, false, false, false, false, 400, 134};

TEST(Form1Buttons, ComeUpWithTheirStoredLooks) {
  const struct {
    StoredButton stored;
    const char* caption;
    float points;
    Color color;
    std::int32_t mode;
  } cases[] = {{storedXpcommand2(), "保存", 9.0f, 0x000000FF, 0},
               {storedXpcommand9(), "启动", 10.5f, kButtonTextColor, 5}};
  for (const auto& c : cases) {
    FakeControlSurface host(
        {static_cast<double>(c.stored.rect.width), static_cast<double>(c.stored.rect.height)});
    host.setAmbientFont(kFrameFont);
    const auto button = createStoredXpcommand(host, c.stored.properties);
    button->UserControl_Show();
    EXPECT_EQ(button->Caption(), c.caption);
    EXPECT_EQ(button->fontname(), "宋体");
    EXPECT_EQ(button->FontSize(), c.points);
    EXPECT_EQ(button->Font().charset, 134);
    EXPECT_EQ(button->Font().weight, 400);
    EXPECT_FALSE(button->FontBold() || button->FontItalic() || button->FontUnderline() ||
                 button->FontStrikethru());
    EXPECT_EQ(button->ForeColor(), c.color);
    EXPECT_EQ(button->图(), c.mode);
    EXPECT_EQ(button->风格(), 0);
    EXPECT_EQ(button->虚线框(), 0);
    EXPECT_EQ(button->蓝色框(), 0);
    EXPECT_TRUE(button->Enabled());
    EXPECT_EQ(button->icon(), nullptr);
    EXPECT_EQ(lookShown(*button), 2);
    EXPECT_EQ(button->black(), skinStore(0).of(Piece::内部, 2));
    // The control leaves the host's size alone: the stored rectangle already holds it.
    EXPECT_TRUE(host.sizesSet().empty());
  }
}

TEST(Form1Buttons, HostExtentsMatchTheRectanglesInHimetric) {
  for (const StoredButton& b : {storedXpcommand2(), storedXpcommand9()}) {
    EXPECT_NEAR(b.properties.readInt32("_extentx"), b.rect.width * 2540.0 / 1440, 0.5);
    EXPECT_NEAR(b.properties.readInt32("_extenty"), b.rect.height * 2540.0 / 1440, 0.5);
  }
}

TEST(Form1Buttons, SavingWritesBackWhatWasStored) {
  for (const StoredButton& b : {storedXpcommand2(), storedXpcommand9()}) {
    FakeControlSurface host({static_cast<double>(b.rect.width), static_cast<double>(b.rect.height)});
    host.setAmbientFont(kFrameFont);
    const auto button = createStoredXpcommand(host, b.properties);
    PropertyStore saved = b.properties;
    button->writeProperties(saved);
    ASSERT_EQ(saved.entries().size(), b.properties.entries().size());
    for (std::size_t i = 0; i < saved.entries().size(); ++i) {
      const auto& [key, value] = b.properties.entries()[i];
      EXPECT_EQ(saved.entries()[i].first, key);
      const PropertyValue& now = saved.entries()[i].second;
      if (key == "fontsize")
        EXPECT_EQ(std::get<float>(now), b.properties.readFloat(key));
      else if (key == "蓝色框" || key == "虚线框" || key == "图")
        EXPECT_EQ(std::get<std::int32_t>(now), b.properties.readInt32(key)) << key;
      else
        EXPECT_EQ(now, value) << key;
    }
  }
}

TEST(Form1Buttons, StartButtonCaptionStandsOnePixelRightOfCentre) {
  const StoredButton b = storedXpcommand9();
  FakeControlSurface host({735, 375});
  const auto button = createStoredXpcommand(host, b.properties);
  const double width = 2 * FakeControlSurface::advance(U'启', button->Font());
  EXPECT_EQ(button->text().box.left, (735 - width) / 2 + 15);
  EXPECT_FALSE(button->text().wordWrap);
}

}  // namespace
}  // namespace quorvel
