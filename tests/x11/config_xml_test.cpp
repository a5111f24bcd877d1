// xscreensaver's settings dialog offers what pennydance.xml says: every
// setting of the table with its option, range and default, and no other.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "settings/saver_settings.h"
#include "settings/setting_options.h"
#include "x11/x11_options.h"

namespace {

// The attribute of the <number> element whose arg is "--name %", or "".
std::string NumberAttribute(const std::string& xml, const std::string& option,
                            const std::string& attribute) {
  const size_t arg = xml.find("arg=\"" + option + " %\"");
  const size_t start = xml.rfind("<number", arg);
  if (arg == std::string::npos || start == std::string::npos) return "";
  const std::string element = xml.substr(start, xml.find("/>", arg) - start);
  const size_t value = element.find(" " + attribute + "=\"");
  if (value == std::string::npos) return "";
  const size_t from = value + attribute.size() + 3;
  return element.substr(from, element.find('"', from) - from);
}

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(ConfigXml, OffersEverySettingOfTheTableWithItsRangeAndDefault) {
  std::ifstream file(CONFIG_XML);
  const std::string xml{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(xml.empty()) << CONFIG_XML;
  EXPECT_NE(xml.find("<screensaver name=\"pennydance\" _label=\"Pennydance\">"), std::string::npos);
  EXPECT_NE(xml.find("<command arg=\"--root\"/>"), std::string::npos);
  EXPECT_NE(xml.find("arg-set=\"--fps\""), std::string::npos);
  for (const SettingDescription& setting : SettingTable) {
    char name[32];
    ASSERT_TRUE(OptionNameOf(setting.name, name, sizeof name));
    const std::string option = std::string("--") + name;
    if (setting.field == &SaverSettingsRecord::Zoom) {
      // Two choices: the default one passes nothing, the other its value.
      EXPECT_NE(xml.find("arg-set=\"" + option + " " + std::to_string(setting.highest) + "\""),
                std::string::npos);
      continue;
    }
    EXPECT_EQ(NumberAttribute(xml, option, "low"), std::to_string(setting.lowest)) << option;
    EXPECT_EQ(NumberAttribute(xml, option, "high"), std::to_string(setting.highest)) << option;
    EXPECT_EQ(NumberAttribute(xml, option, "default"), std::to_string(setting.defaultValue)) << option;
  }
  EXPECT_EQ(Occurrences(xml, "<number "), size_t(SettingCount - 1));
}

}  // namespace
