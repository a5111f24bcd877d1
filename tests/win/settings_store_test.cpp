// The settings store against the real registry of the test prefix: what a
// load makes of each stored shape, and what a save leaves in the key.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "settings/saver_settings.h"
#include "settings/settings_store.h"
#include "tests/support/settings_registry.h"

namespace {

struct Six {
  int32_t Zoom, Number, MoveSpeed, RotSpeed, RotTimeMin, RotTimeMax;
};

const Six Defaults = {1, 4, 8, 16, 16, 48};

void ExpectSettings(const Six& expected) {
  EXPECT_EQ(SaverSettings.Zoom, expected.Zoom) << "Zoom";
  EXPECT_EQ(SaverSettings.Number, expected.Number) << "Number";
  EXPECT_EQ(SaverSettings.MoveSpeed, expected.MoveSpeed) << "MoveSpeed";
  EXPECT_EQ(SaverSettings.RotSpeed, expected.RotSpeed) << "RotSpeed";
  EXPECT_EQ(SaverSettings.RotTimeMin, expected.RotTimeMin) << "RotTimeMin";
  EXPECT_EQ(SaverSettings.RotTimeMax, expected.RotTimeMax) << "RotTimeMax";
}

void SetSettings(const Six& values) {
  SaverSettings = SaverSettingsRecord{values.Zoom,     values.Number,     values.MoveSpeed,
                                      values.RotSpeed, values.RotTimeMin, values.RotTimeMax};
}

std::vector<unsigned char> Dword(uint32_t value) { return DwordValue(value).bytes; }

std::vector<unsigned char> Text(const char* text) {
  return std::vector<unsigned char>(text, text + strlen(text) + 1);
}

struct Stored {
  const char* name;
  DWORD type;
  std::vector<unsigned char> bytes;
};

struct LoadCase {
  const char* name;
  bool createKey;
  std::vector<Stored> stored;
  Six expected;
};

const std::vector<LoadCase>& LoadCases() {
  static const std::vector<LoadCase> cases = {
      {"no key", false, {}, Defaults},
      {"empty key", true, {}, Defaults},
      {"only Number 10", true, {{"Number", REG_DWORD, Dword(10)}}, {1, 10, 8, 16, 16, 48}},
      {"each value to its own field", true,
       {{"Zoom", REG_DWORD, Dword(2)}, {"Number", REG_DWORD, Dword(7)},
        {"MoveSpeed", REG_DWORD, Dword(9)}, {"RotSpeed", REG_DWORD, Dword(11)},
        {"RotTimeMin", REG_DWORD, Dword(13)}, {"RotTimeMax", REG_DWORD, Dword(15)}},
       {2, 7, 9, 11, 13, 15}},
      {"Number 1000 passes unbounded", true, {{"Number", REG_DWORD, Dword(1000)}}, {1, 1000, 8, 16, 16, 48}},
      {"Number 0 passes unbounded", true, {{"Number", REG_DWORD, Dword(0)}}, {1, 0, 8, 16, 16, 48}},
      {"negative Number passes unbounded", true, {{"Number", REG_DWORD, Dword(0xFFFFFFFBu)}}, {1, -5, 8, 16, 16, 48}},
      {"Zoom 3 passes unbounded", true, {{"Zoom", REG_DWORD, Dword(3)}}, {3, 4, 8, 16, 16, 48}},
      {"turn times reversed pass unbounded", true,
       {{"RotTimeMin", REG_DWORD, Dword(500)}, {"RotTimeMax", REG_DWORD, Dword(0x80000000u)}},
       {1, 4, 8, 16, 500, INT32_MIN}},
      {"four bytes of another type", true, {{"MoveSpeed", REG_BINARY, {0x2C, 0x01, 0, 0}}}, {1, 4, 300, 16, 16, 48}},
      {"one byte 0x05 under RotSpeed", true, {{"RotSpeed", REG_BINARY, {0x05}}}, {1, 4, 8, 5, 16, 48}},
      {"two bytes 0x02 0x01 under RotSpeed", true, {{"RotSpeed", REG_BINARY, {0x02, 0x01}}}, {1, 4, 8, 258, 16, 48}},
      {"three bytes of no type", true, {{"RotTimeMax", REG_NONE, {0x01, 0x02, 0x03}}}, {1, 4, 8, 16, 16, 0x030201}},
      {"one byte typed as a DWORD", true, {{"Number", REG_DWORD, {0x09}}}, {1, 9, 8, 16, 16, 48}},
      {"empty value keeps the default", true, {{"Number", REG_BINARY, {}}}, {1, 4, 8, 16, 16, 48}},
      {"eight bytes keep the default", true,
       {{"Number", REG_BINARY, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08}}}, {1, 4, 8, 16, 16, 48}},
      {"five bytes keep the default and spare the rest", true,
       {{"Zoom", REG_QWORD, {0x02, 0, 0, 0, 0}}, {"Number", REG_DWORD, Dword(12)}}, {1, 12, 8, 16, 16, 48}},
      {"short text as its bytes", true, {{"Number", REG_SZ, Text("7")}}, {1, 0x37, 8, 16, 16, 48}},
      {"text of four bytes as its bytes", true, {{"Number", REG_SZ, Text("abc")}}, {1, 0x00636261, 8, 16, 16, 48}},
      {"long text keeps the default", true, {{"Number", REG_SZ, Text("1000")}}, {1, 4, 8, 16, 16, 48}},
      {"other values are ignored", true,
       {{"Speed", REG_DWORD, Dword(99)}, {"Zoom ", REG_DWORD, Dword(2)}, {"", REG_DWORD, Dword(3)}}, Defaults},
  };
  return cases;
}

class SettingsStore : public testing::Test {
 protected:
  void SetUp() override { RemoveMakerKey(); }
  void TearDown() override { RemoveMakerKey(); }
};

TEST_F(SettingsStore, LoadTakesEachStoredShapeAsTheTableSays) {
  for (const LoadCase& row : LoadCases()) {
    SCOPED_TRACE(row.name);
    RemoveMakerKey();
    if (row.createKey) {
      CreateSettingsKey();
    }
    for (const Stored& value : row.stored) {
      StoreSettingsValue(value.name, value.type, value.bytes);
    }
    const auto before = ReadSettingsKey();
    SetSettings({-9, -9, -9, -9, -9, -9});
    LoadSaverSettings();
    ExpectSettings(row.expected);
    // A load reads only: it neither creates the key nor changes a value.
    EXPECT_EQ(SettingsKeyExists(), row.createKey);
    EXPECT_TRUE(ReadSettingsKey() == before);
  }
}

TEST_F(SettingsStore, SaveCreatesTheKeyWithSixDwordsAndAnEmptyClass) {
  ASSERT_FALSE(SettingsKeyExists());
  SetSettings({3, -1, 1000, 65, 2000, INT32_MIN});
  SaveSaverSettings();
  ASSERT_TRUE(SettingsKeyExists());
  const auto values = ReadSettingsKey();
  EXPECT_EQ(values.size(), 6u);
  const struct {
    const char* name;
    uint32_t value;
  } expected[] = {{"Zoom", 3},      {"Number", 0xFFFFFFFFu},   {"MoveSpeed", 1000},
                  {"RotSpeed", 65}, {"RotTimeMin", 2000}, {"RotTimeMax", 0x80000000u}};
  for (const auto& row : expected) {
    SCOPED_TRACE(row.name);
    ASSERT_EQ(values.count(row.name), 1u);
    EXPECT_TRUE(values.at(row.name) == DwordValue(row.value));
  }
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, TestSettingsKeyPath, 0, KEY_READ, &key), ERROR_SUCCESS);
  char keyClass[64] = "unset";
  DWORD classLength = sizeof keyClass;
  DWORD subkeys = 99;
  EXPECT_EQ(RegQueryInfoKeyA(key, keyClass, &classLength, nullptr, &subkeys, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(classLength, 0u);
  EXPECT_STREQ(keyClass, "");
  EXPECT_EQ(subkeys, 0u);
  RegCloseKey(key);
}

TEST_F(SettingsStore, SaveThenLoadGivesBackExactlyWhatWasSaved) {
  const Six records[] = {Defaults,
                         {2, 256, 0, 64, 998, 999},
                         {0, 0, 0, 0, 0, 0},
                         {INT32_MIN, INT32_MAX, -1, 1, INT32_MAX, INT32_MIN},
                         {3, 1000, 300, 99, 5000, 7}};
  for (const Six& record : records) {
    SCOPED_TRACE(testing::Message() << record.Zoom << " " << record.Number << " " << record.MoveSpeed);
    SetSettings(record);
    SaveSaverSettings();
    SetSettings({-9, -9, -9, -9, -9, -9});
    LoadSaverSettings();
    ExpectSettings(record);
  }
}

TEST_F(SettingsStore, SaveReplacesTheSixAndLeavesEveryOtherValueAndKeyAlone) {
  StoreSettingsValue("Other", REG_SZ, Text("keep me"));
  StoreSettingsValue("Extra", REG_BINARY, {1, 2, 3, 4, 5, 6, 7, 8});
  StoreSettingsValue("Zoom", REG_SZ, Text("big"));
  StoreSettingsDword("Number", 77);
  HKEY below;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Orvalex\\Pennydance\\Below", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &below, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(below);

  SetSettings({2, 5, 6, 7, 8, 9});
  SaveSaverSettings();

  const auto values = ReadSettingsKey();
  EXPECT_EQ(values.size(), 8u);
  EXPECT_TRUE(values.at("Other") == (StoredValue{REG_SZ, Text("keep me")}));
  EXPECT_TRUE(values.at("Extra") == (StoredValue{REG_BINARY, {1, 2, 3, 4, 5, 6, 7, 8}}));
  EXPECT_TRUE(values.at("Zoom") == DwordValue(2));
  EXPECT_TRUE(values.at("Number") == DwordValue(5));
  EXPECT_TRUE(values.at("RotTimeMax") == DwordValue(9));
  HKEY stillThere;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvalex\\Pennydance\\Below", 0, KEY_READ, &stillThere),
            ERROR_SUCCESS);
  RegCloseKey(stillThere);
}

}  // namespace
