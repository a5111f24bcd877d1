// The page's settings: the kept ones and the address's, named as the X11
// program's options without regard to case, bounded as the dialog's OK
// bounds them, the two switches, and what the address had that is ignored,
// named in one line; and the settings panel's fields read and bounded as
// the dialog's.
#include <gtest/gtest.h>

#include <string>

#include "web/page_options.h"
#include "web/page_panel.h"

namespace {

struct Read {
  PageOptionsRecord options;
  std::string ignored;
};

Read ReadBoth(const char* kept, const std::string& query, size_t room = 512) {
  Read read;
  std::string ignored(room, '\0');
  ReadPageOptions(kept, query.c_str(), &read.options, &ignored[0], room);
  read.ignored = ignored.c_str();
  return read;
}

TEST(PageOptions, SettingsSwitchesAndWhatIsIgnored) {
  struct Row {
    const char* kept;
    std::string query;
    SaverSettingsRecord expected;  // Zoom, Number, MoveSpeed, RotSpeed, RotTimeMin, RotTimeMax
    int32_t isPreview, showFps;
    const char* ignored;
  };
  const Row rows[] = {
      {"", "", {1, 4, 8, 16, 16, 48}, 0, 0, ""},
      {"", "?number=64&zoom=2&move-speed=300&rot-speed=5&rot-time-min=20&rot-time-max=10&fps=1&preview=1",
       {2, 64, 256, 5, 20, 21}, 1, 1, ""},
      // A value beyond 32 bits counts as the nearest 32-bit one, however it
      // is written, as on the X11 program's command line.
      {"", "number=99999999999&move-speed=-99999999999", {1, 256, 0, 16, 16, 48}, 0, 0, ""},
      {"", "number=" + std::string(70, '0') + "64&rot-speed=" + std::string(80, '9'), {1, 64, 8, 64, 16, 48}, 0, 0,
       ""},
      // Keys without regard to case; nothing is decoded.
      {"", "?Number=5&ZOOM=2&Rot-Speed=3&FPS=1", {2, 5, 8, 3, 16, 48}, 0, 1, ""},
      {"", "?number=abc&bogus=3&fps=yes&&zoom&%6Eumber=5&rot-speed=12",
       {1, 4, 8, 12, 16, 48}, 0, 0, "\"number=abc\", \"bogus=3\", \"fps=yes\", \"zoom\", \"%6Eumber=5\""},
      // The address's settings override the kept ones; junk kept is left out.
      {"zoom=2&number=9&move-speed=100&junk", "?number=64", {2, 64, 100, 16, 16, 48}, 0, 0, ""},
  };
  for (const Row& row : rows) {
    const Read read = ReadBoth(row.kept, row.query);
    for (const SettingDescription& setting : SettingTable) {
      EXPECT_EQ(read.options.settings.*setting.field, row.expected.*setting.field)
          << row.query << " " << setting.name;
    }
    EXPECT_EQ(read.options.isPreview, row.isPreview) << row.query;
    EXPECT_EQ(read.options.showFps, row.showFps) << row.query;
    EXPECT_EQ(read.ignored, row.ignored) << row.query;
  }
}

// However much is ignored, the line stays within its room and says how
// much it left out; a long piece is cut and marked.
TEST(PageOptions, AnOverlongAddressIsCutShortAndSaysSo) {
  std::string query;
  for (int i = 0; i < 200; ++i) query += "unknown-key-number-" + std::to_string(i) + "=1&";
  const Read many = ReadBoth("", query, 128);
  EXPECT_LT(many.ignored.size(), 128u);
  EXPECT_EQ(many.ignored.substr(0, 26), "\"unknown-key-number-0=1\", ");
  EXPECT_EQ(many.ignored.substr(many.ignored.size() - 14), ", and 196 more") << many.ignored;
  EXPECT_EQ(many.options.settings.Number, 4);

  const Read longPiece = ReadBoth("", "x=" + std::string(100, 'a'));
  EXPECT_EQ(longPiece.ignored, "\"x=" + std::string(62, 'a') + "\xE2\x80\xA6\"");
}

TEST(PageOptions, SettingsQueryNamesAllSixInTheTablesOrder) {
  char text[160];
  FormatSettingsQuery(SaverSettingsRecord{2, 64, 8, 16, 0, 999}, text, sizeof text);
  EXPECT_STREQ(text, "zoom=2&number=64&move-speed=8&rot-speed=16&rot-time-min=0&rot-time-max=999");
}

TEST(PagePanel, FieldsAreReadAndBoundedAsTheDialogsOk) {
  struct Row {
    int32_t standardChecked;
    const char* fields;  // Number, MoveSpeed, RotSpeed, RotTimeMin, RotTimeMax
    SaverSettingsRecord expected;
  };
  const Row rows[] = {
      {1, "4\n8\n16\n16\n48", {1, 4, 8, 16, 16, 48}},
      {0, "\n abc\n100\n5000\n2000", {2, 1, 0, 64, 998, 999}},
      {1, "300\n-5\n+3\n20\n10", {1, 256, 0, 0, 20, 21}},
      {1, " 7 \n4294967296\n1\n0\n0", {1, 7, 0, 1, 0, 1}},
  };
  for (const Row& row : rows) {
    SaverSettingsRecord settings = {};
    BoundPanelFields(row.standardChecked, row.fields, &settings);
    for (const SettingDescription& setting : SettingTable) {
      EXPECT_EQ(settings.*setting.field, row.expected.*setting.field) << row.fields << " " << setting.name;
    }
  }
}

}  // namespace
