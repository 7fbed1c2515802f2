#include "platform/shared/desktop_dpi.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace quorvel {
namespace {

TEST(DesktopDpi, ReadsTheXftDpiLineAndRejectsWhatNoDesktopWrites) {
  const struct {
    std::string_view resources;
    std::optional<int> dpi;
  } cases[] = {
      {"Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n", 192},
      {"Xft.dpi :  144 \r\n", 144},            // blanks around the name and the value
      {"Xft.dpi:\t120.6", 121},                // a fraction, and no line end
      {"Xft.dpi:\t96\nXft.dpi:\t144\n", 144},  // the later line wins
      {"Xft.antialias:\t1\n", std::nullopt},   // no resolution named
      {"Xft.dpix:\t144\nmy.Xft.dpi:\t144\n", std::nullopt},
      {"Xft.dpi:\tlarge\n", std::nullopt},
      {"Xft.dpi:\t192px\n", std::nullopt},
      {"Xft.dpi:\t\n", std::nullopt},
      {"Xft.dpi:\t0\n", std::nullopt},
      {"Xft.dpi:\t-96\n", std::nullopt},
      {"Xft.dpi:\t9600\n", std::nullopt},
      {"Xft.dpi:\tnan\n", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(desktopDpi(c.resources), c.dpi) << c.resources;
}

}  // namespace
}  // namespace quorvel
