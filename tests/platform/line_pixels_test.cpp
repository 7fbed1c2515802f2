#include <gtest/gtest.h>

#include <vector>

#include "platform/control_surface.h"

namespace quorvel {
namespace {

TEST(LinePixels, CoversTheFirstPointAndStopsBeforeTheLastInEveryDirection) {
  const struct {
    SurfaceLine line;
    std::vector<PixelPoint> covered;
  } cases[] = {
      {{{0, 0}, {3, 0}}, {{0, 0}, {1, 0}, {2, 0}}},
      {{{3, 0}, {0, 0}}, {{3, 0}, {2, 0}, {1, 0}}},
      {{{1, 9}, {1, 3}}, {{1, 9}, {1, 8}, {1, 7}, {1, 6}, {1, 5}, {1, 4}}},
      {{{0, 0}, {4, 2}}, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
      {{{4, 2}, {0, 0}}, {{4, 2}, {3, 2}, {2, 1}, {1, 1}}},
      {{{5, 5}, {5, 5}}, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(linePixels(c.line), c.covered)
        << c.line.from.x << "," << c.line.from.y << " -> " << c.line.to.x << "," << c.line.to.y;
  }
}

}  // namespace
}  // namespace quorvel
