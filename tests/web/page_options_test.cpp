// The page's address: the settings named as the X11 program's options,
// bounded as the dialog's OK bounds them, the two switches, and what is
// ignored named in one line.
#include <gtest/gtest.h>

#include <string>

#include "web/page_options.h"

namespace {

TEST(PageOptions, SettingsSwitchesAndWhatIsIgnored) {
  struct Row {
    const char* query;
    SaverSettingsRecord expected;  // Zoom, Number, MoveSpeed, RotSpeed, RotTimeMin, RotTimeMax
    int32_t isPreview, showFps;
    const char* ignored;
  };
  const Row rows[] = {
      {"", {1, 4, 8, 16, 16, 48}, 0, 0, ""},
      {"?number=64&zoom=2&move-speed=300&rot-speed=5&rot-time-min=20&rot-time-max=10&fps=1&preview=1",
       {2, 64, 256, 5, 20, 21}, 1, 1, ""},
      // A value beyond 32 bits counts as the nearest 32-bit one, as on the
      // X11 program's command line.
      {"number=99999999999&move-speed=-99999999999", {1, 256, 0, 16, 16, 48}, 0, 0, ""},
      // Nothing is decoded: an encoded name is one the page does not know.
      {"?number=abc&bogus=3&fps=yes&&zoom&%6Eumber=5&rot-speed=12",
       {1, 4, 8, 12, 16, 48}, 0, 0, "\"number=abc\", \"bogus=3\", \"fps=yes\", \"zoom\", \"%6Eumber=5\""},
  };
  for (const Row& row : rows) {
    PageOptionsRecord options;
    char ignored[256];
    ReadPageOptions(row.query, &options, ignored, sizeof ignored);
    for (const SettingDescription& setting : SettingTable) {
      EXPECT_EQ(options.settings.*setting.field, row.expected.*setting.field) << row.query << " " << setting.name;
    }
    EXPECT_EQ(options.isPreview, row.isPreview) << row.query;
    EXPECT_EQ(options.showFps, row.showFps) << row.query;
    EXPECT_EQ(std::string(ignored), row.ignored) << row.query;
  }
}

// However much is ignored, the line stays within its room.
TEST(PageOptions, AnOverlongAddressIsCutShort) {
  std::string query;
  for (int i = 0; i < 200; ++i) query += "unknown-key-number-" + std::to_string(i) + "=1&";
  PageOptionsRecord options;
  char ignored[64];
  ReadPageOptions(query.c_str(), &options, ignored, sizeof ignored);
  EXPECT_EQ(std::string(ignored).size(), sizeof ignored - 1);
  EXPECT_EQ(options.settings.Number, 4);
}

}  // namespace
