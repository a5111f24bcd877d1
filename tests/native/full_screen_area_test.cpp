// Where the full-screen window goes: over the virtual screen where the
// platform knows it, over the one screen where it answers 0.
#include <gtest/gtest.h>

#include "host/full_screen_area.h"

namespace {

struct AreaCase {
  const char* name;
  ScreenMetrics metrics;
  ScreenArea expected;
};

const AreaCase AreaCases[] = {
    {"one monitor", {0, 0, 800, 600, 800, 600}, {0, 0, 800, 600}},
    {"second monitor on the right", {0, 0, 1440, 600, 800, 600}, {0, 0, 1440, 600}},
    {"second monitor on the left", {-640, 0, 1440, 600, 800, 600}, {-640, 0, 1440, 600}},
    {"second monitor above", {0, -480, 800, 1080, 800, 600}, {0, -480, 800, 1080}},
    {"Windows 95 and NT 4: no virtual screen", {0, 0, 0, 0, 1024, 768}, {0, 0, 1024, 768}},
    {"a virtual screen without height", {0, 0, 1440, 0, 800, 600}, {0, 0, 800, 600}},
};

TEST(FullScreenArea, CoversTheVirtualScreenOrElseTheScreen) {
  for (const AreaCase& row : AreaCases) {
    const ScreenArea area = FullScreenArea(row.metrics);
    EXPECT_EQ(area.left, row.expected.left) << row.name;
    EXPECT_EQ(area.top, row.expected.top) << row.name;
    EXPECT_EQ(area.width, row.expected.width) << row.name;
    EXPECT_EQ(area.height, row.expected.height) << row.name;
  }
}

}  // namespace
