#include "mainwindow/form1_layout.h"

#include <string>

#include "mainwindow/form1_buttons.h"

namespace quorvel {
namespace {

const FontSpec kFrameFont{"宋体", 5.25, 134};
const FontSpec kTextFont{"宋体", 10.5, 134};
const FontSpec kPlatformDefault{};

ControlSpec describe(ControlKind kind, std::optional<ControlId> container, TwipsRect rect,
                     std::string caption, FontSpec font, int tabIndex = -1) {
  ControlSpec s;
  s.kind = kind;
  s.container = container;
  s.rect = rect;
  s.caption = std::move(caption);
  s.font = std::move(font);
  s.tabIndex = tabIndex;
  return s;
}

std::unique_ptr<HostedXpcommand> placeButton(Platform& p, WindowHandle window, ControlId container,
                                             const StoredButton& stored, int tabIndex) {
  // A button without a font of its own takes its frame's.
  const ControlSpec placement =
      describe(ControlKind::button, container, stored.rect, "", kFrameFont, tabIndex);
  return std::make_unique<HostedXpcommand>(p, window, placement, stored.properties);
}

}  // namespace

Form1Controls createForm1Controls(Platform& p, WindowHandle window) {
  Form1Controls c;
  auto add = [&](ControlSpec s) { return p.createControl(window, s); };

  c.Frame5 =
      add(describe(ControlKind::frame, std::nullopt, {0, 0, kClientWidth, kClientHeight}, "", kFrameFont));
  c.Frame1 = add(describe(ControlKind::frame, c.Frame5, {120, 120, 1815, 2055}, "", kFrameFont));

  c.Label2[2] = add(describe(ControlKind::label, c.Frame1, {120, 175, 630, 210}, "序 号:", kTextFont));
  ControlSpec combo =
      describe(ControlKind::comboBox, c.Frame1, {840, 130, 855, 300}, "", kPlatformDefault, 0);
  for (int n = 1; n <= 20; ++n) combo.items.push_back(std::to_string(n));
  c.Combo1 = add(combo);

  c.Label1 = add(describe(ControlKind::label, c.Frame1, {120, 532, 630, 210}, "X座标:", kTextFont));
  ControlSpec x = describe(ControlKind::textBox, c.Frame1, {840, 480, 855, 315}, "", kTextFont, 1);
  x.maxLength = 6;
  c.Text2[0] = add(x);

  c.Label2[0] = add(describe(ControlKind::label, c.Frame1, {120, 892, 630, 210}, "Y座标:", kTextFont));
  ControlSpec y = describe(ControlKind::textBox, c.Frame1, {840, 840, 855, 315}, "", kTextFont, 2);
  y.maxLength = 6;
  c.Text2[1] = add(y);

  c.Label2[1] = add(describe(ControlKind::label, c.Frame1, {120, 1245, 630, 210}, "时 间:", kTextFont));
  ControlSpec t = describe(ControlKind::textBox, c.Frame1, {840, 1200, 495, 315}, "", kTextFont, 3);
  t.maxLength = 3;
  c.Text2[2] = add(t);
  c.Label2[4] = add(describe(ControlKind::label, c.Frame1, {1440, 1245, 210, 210}, "秒", kTextFont));

  c.Label2[3] = add(describe(ControlKind::label, c.Frame1, {120, 1560, 630, 210}, "有 效:", kTextFont));
  c.Check1 = add(describe(ControlKind::checkBox, c.Frame1, {840, 1560, 255, 255}, "", kPlatformDefault, 4));

  c.xpcommand2 = placeButton(p, window, c.Frame1, storedXpcommand2(), kSaveTabIndex);

  c.Frame6 = add(describe(ControlKind::frame, c.Frame5, {120, 2160, 1815, 600}, "", kFrameFont));
  c.xpcommand9 = placeButton(p, window, c.Frame6, storedXpcommand9(), kStartTabIndex);
  return c;
}

}  // namespace quorvel
