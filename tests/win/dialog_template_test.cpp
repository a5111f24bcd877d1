// The resources of the built module read back from the file itself: dialog
// template 2003 word by word against the table of its controls, the version
// record, the icon group and the saver's name. A slip in the resource script
// shows here even where the dialog would still seem to work.
#include <windows.h>
#include <winver.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "settings/version_text.h"
#include "tests/support/dialog_paths.h"

namespace {

const WORD Japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

HMODULE OpenBuiltModule() {
  static HMODULE module =
      LoadLibraryExA(WindowsPathOfUnixPath(MODULE_PATH).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  return module;
}

struct ResourceBytes {
  const unsigned char* data;
  size_t size;
};

// The resource of the given type and name in Japanese, or nothing.
ResourceBytes FindJapaneseResource(LPCWSTR type, LPCWSTR name) {
  HMODULE module = OpenBuiltModule();
  HRSRC found = FindResourceExW(module, type, name, Japanese);
  if (found == nullptr) {
    return {nullptr, 0};
  }
  HGLOBAL loaded = LoadResource(module, found);
  return {static_cast<const unsigned char*>(LockResource(loaded)), SizeofResource(module, found)};
}

// Reads a resource's little-endian words and strings without stepping
// outside it; a read past the end marks the reader as overrun.
struct Reader {
  ResourceBytes bytes;
  size_t offset;
  bool overrun;

  WORD Word() {
    if (offset + 2 > bytes.size) {
      overrun = true;
      return 0;
    }
    WORD value = WORD(bytes.data[offset] | bytes.data[offset + 1] << 8);
    offset += 2;
    return value;
  }
  DWORD Dword() {
    const WORD low = Word();
    return low | DWORD(Word()) << 16;
  }
  std::wstring String() {
    std::wstring text;
    while (!overrun) {
      const WORD c = Word();
      if (c == 0) break;
      text += wchar_t(c);
    }
    return text;
  }
  // A name or an ordinal: 0xFFFF then the number, else a string.
  std::wstring NameOrOrdinal() {
    if (offset + 2 <= bytes.size && bytes.data[offset] == 0xFF && bytes.data[offset + 1] == 0xFF) {
      Word();
      return L"#" + std::to_wstring(Word());
    }
    return String();
  }
  void AlignToDword() { offset = (offset + 3) & ~size_t(3); }
};

// The platform's own classes are stored as ordinals.
std::wstring ClassName(const std::wstring& stored) {
  if (stored == L"#128") return L"Button";
  if (stored == L"#129") return L"Edit";
  if (stored == L"#130") return L"Static";
  return stored;
}

struct ControlRow {
  WORD id;
  const wchar_t* className;
  DWORD style;
  short x, y, cx, cy;
  const wchar_t* text;
};

const ControlRow Controls[28] = {
    {1, L"Button", 0x50010001, 140, 125, 50, 20, L"これでいいよ"},
    {2, L"Button", 0x50010000, 210, 125, 50, 20, L"やりなおし"},
    {65535, L"Button", 0x50000007, 5, 65, 120, 50, L"人数と大きさ"},
    {65535, L"Static", 0x50020000, 10, 80, 50, 10, L"人数 (1～256) :"},
    {1002, L"Edit", 0x50812080, 10, 90, 30, 14, L""},
    {1004, L"msctls_updown32", 0x50000036, 46, 90, 9, 14, L"Spin1"},
    {1000, L"Button", 0x50000009, 81, 80, 30, 10, L"標準"},
    {1001, L"Button", 0x50000009, 81, 95, 30, 10, L"２倍"},
    {65535, L"Button", 0x50000007, 140, 5, 120, 50, L"速度"},
    {65535, L"Static", 0x50020200, 155, 15, 45, 14, L"移動 (0～256) :"},
    {1006, L"Edit", 0x50810080, 215, 15, 30, 14, L""},
    {1007, L"msctls_updown32", 0x50000036, 205, 15, 9, 14, L"Spin2"},
    {65535, L"Static", 0x50020200, 155, 35, 45, 14, L"回転 (0～64) :"},
    {1008, L"Edit", 0x50810080, 215, 35, 30, 14, L""},
    {1009, L"msctls_updown32", 0x50000036, 205, 35, 9, 14, L"Spin3"},
    {65535, L"Button", 0x50000007, 140, 65, 120, 50, L"移動時間"},
    {65535, L"Static", 0x50020200, 155, 75, 45, 14, L"最低 (0～) :"},
    {1010, L"Edit", 0x50810080, 216, 75, 30, 14, L""},
    {1011, L"msctls_updown32", 0x50000036, 205, 75, 9, 14, L"Spin4"},
    {65535, L"Static", 0x50020200, 155, 95, 45, 14, L"最大 (1～) :"},
    {1012, L"Edit", 0x50810080, 216, 95, 30, 14, L""},
    {1013, L"msctls_updown32", 0x50000036, 205, 95, 9, 14, L"Spin5"},
    {65535, L"Static", 0x50000003, 5, 5, 20, 20, L"ID_APP"},
    {65535, L"Static", 0x50020000, 45, 5, 60, 8, L"Pennydance"},
    {65535, L"Static", 0x50020000, 5, 30, 130, 10, nullptr},  // credit: ours, any text
    {1005, L"Static", 0x50020000, 55, 15, 50, 10, L"Version.0.00"},
    {65535, L"Static", 0x50020000, 5, 45, 130, 8, nullptr},  // credit: ours, any text
    {1014, L"Button", 0x50010000, 5, 125, 65, 20, L"ホームページを開く"},
};

TEST(DialogTemplate, HeaderIsThePlainTemplateOfTheTable) {
  ASSERT_NE(OpenBuiltModule(), nullptr) << MODULE_PATH;
  Reader reader{FindJapaneseResource(MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(2003)), 0, false};
  ASSERT_NE(reader.bytes.data, nullptr) << "no Japanese dialog 2003";
  EXPECT_EQ(reader.Dword(), 0x80C800C0u) << "style";
  EXPECT_EQ(reader.Dword(), 0u) << "extended style";
  EXPECT_EQ(reader.Word(), 28u) << "controls";
  EXPECT_EQ(short(reader.Word()), 0) << "x";
  EXPECT_EQ(short(reader.Word()), 0) << "y";
  EXPECT_EQ(short(reader.Word()), 263) << "width";
  EXPECT_EQ(short(reader.Word()), 149) << "height";
  EXPECT_EQ(reader.NameOrOrdinal(), L"") << "menu";
  EXPECT_EQ(reader.NameOrOrdinal(), L"") << "class";
  EXPECT_EQ(reader.String(), L"Pennydanceの設定");
  EXPECT_EQ(reader.Word(), 9u) << "point size";
  EXPECT_EQ(reader.String(), L"ＭＳ Ｐゴシック");
  EXPECT_FALSE(reader.overrun);
}

TEST(DialogTemplate, ControlsAreTheTableInOrder) {
  Reader reader{FindJapaneseResource(MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(2003)), 0, false};
  ASSERT_NE(reader.bytes.data, nullptr);
  reader.offset = 4 + 4 + 2 + 4 * 2;
  reader.NameOrOrdinal();
  reader.NameOrOrdinal();
  reader.String();
  reader.Word();
  reader.String();
  for (int i = 0; i < 28; ++i) {
    const ControlRow& row = Controls[i];
    SCOPED_TRACE(testing::Message() << "control #" << i + 1 << ", id " << row.id);
    reader.AlignToDword();
    EXPECT_EQ(reader.Dword(), row.style) << "style";
    EXPECT_EQ(reader.Dword(), 0u) << "extended style";
    EXPECT_EQ(short(reader.Word()), row.x);
    EXPECT_EQ(short(reader.Word()), row.y);
    EXPECT_EQ(short(reader.Word()), row.cx);
    EXPECT_EQ(short(reader.Word()), row.cy);
    EXPECT_EQ(reader.Word(), row.id);
    // Class names are matched regardless of case, as the platform does.
    const std::wstring className = ClassName(reader.NameOrOrdinal());
    EXPECT_EQ(_wcsicmp(className.c_str(), row.className), 0) << "class " << testing::PrintToString(className);
    const std::wstring text = reader.NameOrOrdinal();
    if (row.text != nullptr) {
      EXPECT_EQ(text, row.text);
    } else {
      EXPECT_FALSE(text.empty()) << "credit line";
    }
    EXPECT_EQ(reader.Word(), 0u) << "creation data";
    ASSERT_FALSE(reader.overrun);
  }
  reader.AlignToDword();
  EXPECT_EQ(reader.offset, reader.bytes.size) << "bytes after the last control";
}

// ---- Version record ------------------------------------------------------

// version.dll is loaded by name, so the tests need no import library for it.
struct VersionEntries {
  decltype(&GetFileVersionInfoSizeW) infoSize;
  decltype(&GetFileVersionInfoW) info;
  decltype(&VerQueryValueW) query;
};

VersionEntries LoadVersionEntries() {
  HMODULE version = LoadLibraryA("version.dll");
  return {reinterpret_cast<decltype(&GetFileVersionInfoSizeW)>(
              reinterpret_cast<void (*)()>(GetProcAddress(version, "GetFileVersionInfoSizeW"))),
          reinterpret_cast<decltype(&GetFileVersionInfoW)>(
              reinterpret_cast<void (*)()>(GetProcAddress(version, "GetFileVersionInfoW"))),
          reinterpret_cast<decltype(&VerQueryValueW)>(
              reinterpret_cast<void (*)()>(GetProcAddress(version, "VerQueryValueW")))};
}

std::vector<unsigned char> ModuleVersionInfo(const VersionEntries& entries) {
  const std::string path = WindowsPathOfUnixPath(MODULE_PATH);
  const std::wstring widePath(path.begin(), path.end());
  DWORD handle = 0;
  std::vector<unsigned char> block(entries.infoSize(widePath.c_str(), &handle));
  if (block.empty() || !entries.info(widePath.c_str(), 0, DWORD(block.size()), block.data())) {
    block.clear();
  }
  return block;
}

TEST(VersionRecord, FixedInformationIsTheTable) {
  const VersionEntries entries = LoadVersionEntries();
  ASSERT_TRUE(entries.infoSize && entries.info && entries.query);
  std::vector<unsigned char> block = ModuleVersionInfo(entries);
  ASSERT_FALSE(block.empty());
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(entries.query(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x10002u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x10000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
  EXPECT_EQ(fixed->dwFileFlags, 0u);
  EXPECT_EQ(fixed->dwFileOS, 0x40004u);
  EXPECT_EQ(fixed->dwFileType, 1u);
  EXPECT_EQ(fixed->dwFileSubtype, 0u);
  EXPECT_EQ(fixed->dwFileDateMS, 0u);
  EXPECT_EQ(fixed->dwFileDateLS, 0u);

  WORD* translation = nullptr;
  ASSERT_TRUE(entries.query(block.data(), L"\\VarFileInfo\\Translation",
                            reinterpret_cast<void**>(&translation), &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(translation[0], 0x0411u);
  EXPECT_EQ(translation[1], 0x04B0u);
}

TEST(VersionRecord, EveryStringIsTheTable) {
  const VersionEntries entries = LoadVersionEntries();
  ASSERT_TRUE(entries.infoSize && entries.info && entries.query);
  std::vector<unsigned char> block = ModuleVersionInfo(entries);
  ASSERT_FALSE(block.empty());
  const struct {
    const wchar_t* name;
    const wchar_t* value;
  } strings[] = {
      {L"Comments", L"https://pennydance.example.org/"},
      {L"CompanyName", L"Orvalex"},
      {L"FileDescription", L"Pennydance\x3000スクリーンセーバー"},
      {L"FileVersion", L"1, 2, 0, 0"},
      {L"InternalName", L"pennydance"},
      {L"LegalCopyright", L"Copyright (C) 2026 the Pennydance developers"},
      {L"OriginalFilename", L"pennydance.exe"},
      {L"ProductName", L"Pennydance\x3000スクリーンセーバー for Win95"},
      {L"ProductVersion", L"1, 0, 0, 0"},
  };
  for (const auto& row : strings) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(row.name)));
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041104b0\\") + row.name;
    wchar_t* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(entries.query(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length));
    EXPECT_EQ(std::wstring(value), row.value);
  }
}

// The dialog finds its version text by scanning this very record.
TEST(VersionRecord, DialogScanFindsVersion102FortyBytesIn) {
  const ResourceBytes record = FindJapaneseResource(MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1));
  ASSERT_NE(record.data, nullptr) << "no Japanese version record 1";
  ASSERT_GE(record.size, 52u);
  EXPECT_EQ(record.data[40] | record.data[41] << 8 | record.data[42] << 16 | unsigned(record.data[43]) << 24,
            0xFEEF04BDu);
  uint32_t fileVersionHigh = 0;
  ASSERT_TRUE(FindFileVersionHigh(record.data, record.size, &fileVersionHigh));
  char text[VersionTextSize];
  FormatVersionText(fileVersionHigh, text);
  EXPECT_STREQ(text, "Version.1.02");
}

// ---- Icon group and name -------------------------------------------------

TEST(ModuleIcon, GroupIdAppHoldsA16AndA256Colour32By32Image) {
  const ResourceBytes group = FindJapaneseResource(MAKEINTRESOURCEW(14), L"ID_APP");
  ASSERT_NE(group.data, nullptr) << "no Japanese icon group ID_APP";
  Reader reader{group, 0, false};
  EXPECT_EQ(reader.Word(), 0u) << "reserved";
  EXPECT_EQ(reader.Word(), 1u) << "type icon";
  const WORD count = reader.Word();
  ASSERT_EQ(count, 2u) << "images";
  std::vector<WORD> bitCounts;
  for (WORD i = 0; i < count; ++i) {
    SCOPED_TRACE(testing::Message() << "image " << i);
    const WORD size = reader.Word();  // width, height in the low and high byte
    EXPECT_EQ(size & 0xFF, 32);
    EXPECT_EQ(size >> 8, 32);
    const WORD colours = reader.Word() & 0xFF;
    EXPECT_EQ(reader.Word(), 1u) << "planes";
    const WORD bitCount = reader.Word();
    bitCounts.push_back(bitCount);
    EXPECT_EQ(colours, bitCount == 4 ? 16u : 0u) << "colour count";
    reader.Dword();
    const WORD id = reader.Word();
    const ResourceBytes image = FindJapaneseResource(MAKEINTRESOURCEW(3), MAKEINTRESOURCEW(id));
    ASSERT_NE(image.data, nullptr) << "icon image " << id;
    ASSERT_GE(image.size, sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    memcpy(&header, image.data, sizeof header);
    EXPECT_EQ(header.biWidth, 32);
    EXPECT_EQ(header.biHeight, 64) << "image and mask";
    EXPECT_EQ(header.biBitCount, bitCount);
  }
  ASSERT_FALSE(reader.overrun);
  std::sort(bitCounts.begin(), bitCounts.end());
  EXPECT_EQ(bitCounts, (std::vector<WORD>{4, 8}));
}

TEST(ModuleName, StringOneIsPennydance) {
  ASSERT_NE(FindJapaneseResource(MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(1)).data, nullptr)
      << "no Japanese string block 1";
  wchar_t name[64] = {};
  EXPECT_EQ(LoadStringW(OpenBuiltModule(), 1, name, 64), 10);
  EXPECT_STREQ(name, L"Pennydance");
}

}  // namespace
