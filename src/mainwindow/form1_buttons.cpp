#include "mainwindow/form1_buttons.h"

#include <string>

namespace quorvel {
namespace {

CaptionFont songti(float points) {
  CaptionFont f;
  f.name = "宋体";
  f.size = points;
  f.weight = 400;
  f.charset = 134;  // GB2312
  return f;
}

// Keys as the window definition spells them, numbers in the narrow forms it keeps them in; the sizes in
// HIMETRIC are the host's, the control never looks at them.
PropertyStore stored(std::int32_t extentX, std::int32_t extentY, const std::string& caption, float points,
                     std::int64_t scaledPoints, std::int16_t mode) {
  PropertyStore s;
  s.write("_extentx", extentX);
  s.write("_extenty", extentY);
  s.write("蓝色框", std::int16_t{0});
  s.write("虚线框", std::int16_t{0});
  s.write("caption", caption);
  s.write("图", mode);
  s.write("tooltiptext", std::string{});
  s.write("font", songti(points));
  s.write("fontname", std::string{"宋体"});
  s.write("fontsize", FixedPoint{scaledPoints});
  return s;
}

}  // namespace

StoredButton storedXpcommand2() {
  StoredButton b{{1100, 1560, 615, 375}, stored(1085, 661, "保存", 9.0f, 90000, 0)};
  b.properties.write("forecolor", Color{0x000000FF});
  return b;
}

StoredButton storedXpcommand9() {
  return {{120, 130, 735, 375}, stored(1296, 661, "启动", 10.5f, 105000, 5)};
}

}  // namespace quorvel
