// The dialog's version text: the scan for the fixed file information in a
// version record, and the formatting of its file version.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "settings/version_text.h"

namespace {

struct FormatCase {
  uint32_t fileVersionHigh;
  const char* expected;
};

const FormatCase FormatCases[] = {
    {0x00010002u, "Version.1.02"},   {0x00020005u, "Version.2.05"},
    {0x0001007Bu, "Version.1.123"},  {0x000A0000u, "Version.10.00"},
    {0x00000000u, "Version.0.00"},   {0x0001000Au, "Version.1.10"},
    {0xFFFFFFFFu, "Version.65535.65535"},
};

TEST(VersionText, FormatsMajorPlainAndMinorWithTwoDigitsAtLeast) {
  for (const FormatCase& row : FormatCases) {
    SCOPED_TRACE(row.expected);
    char text[VersionTextSize];
    std::memset(text, 'x', sizeof text);
    FormatVersionText(row.fileVersionHigh, text);
    EXPECT_STREQ(text, row.expected);
  }
}

void PutWord(std::vector<unsigned char>& bytes, size_t offset, uint32_t word) {
  for (int i = 0; i < 4; ++i) {
    bytes[offset + i] = static_cast<unsigned char>(word >> (8 * i));
  }
}

// A record shaped like the module's: header and key first, the signature 40
// bytes in, then the structure version and the file version.
std::vector<unsigned char> RecordWithSignatureAt(size_t signatureOffset, size_t size) {
  std::vector<unsigned char> bytes(size, 0x20);
  if (signatureOffset + 4 <= size) PutWord(bytes, signatureOffset, 0xFEEF04BDu);
  if (signatureOffset + 8 <= size) PutWord(bytes, signatureOffset + 4, 0x00010000u);
  if (signatureOffset + 12 <= size) PutWord(bytes, signatureOffset + 8, 0x00010002u);
  if (signatureOffset + 16 <= size) PutWord(bytes, signatureOffset + 12, 0x00030004u);
  return bytes;
}

struct ScanCase {
  const char* name;
  std::vector<unsigned char> record;
  bool found;
  uint32_t fileVersionHigh;
};

std::vector<ScanCase> ScanCases() {
  std::vector<ScanCase> cases;
  cases.push_back({"signature 40 bytes in", RecordWithSignatureAt(40, 92), true, 0x00010002u});
  cases.push_back({"signature at the start", RecordWithSignatureAt(0, 52), true, 0x00010002u});
  cases.push_back({"record ends right after the file version", RecordWithSignatureAt(40, 52), true, 0x00010002u});
  cases.push_back({"no signature", std::vector<unsigned char>(92, 0x20), false, 0});
  cases.push_back({"empty record", {}, false, 0});
  cases.push_back({"record shorter than a word", {0xBD, 0x04, 0xEF}, false, 0});
  cases.push_back({"cut off inside the file version", RecordWithSignatureAt(40, 51), false, 0});
  cases.push_back({"cut off after the structure version", RecordWithSignatureAt(40, 48), false, 0});
  cases.push_back({"signature is the last word", RecordWithSignatureAt(40, 44), false, 0});
  cases.push_back({"signature off the 4-byte steps", RecordWithSignatureAt(42, 92), false, 0});
  cases.push_back({"signature in the wrong byte order", {0xFE, 0xEF, 0x04, 0xBD, 0, 0, 0, 0, 2, 0, 1, 0}, false, 0});
  std::vector<unsigned char> two = RecordWithSignatureAt(40, 92);
  PutWord(two, 60, 0xFEEF04BDu);
  PutWord(two, 68, 0x00090009u);
  cases.push_back({"the first signature counts", two, true, 0x00010002u});
  std::vector<unsigned char> ragged = RecordWithSignatureAt(40, 53);
  cases.push_back({"size not a multiple of four", ragged, true, 0x00010002u});
  return cases;
}

TEST(VersionText, ScanFindsTheFileVersionWithoutReadingPastTheRecord) {
  for (const ScanCase& row : ScanCases()) {
    SCOPED_TRACE(row.name);
    // A heap block of exactly the record's size, so a read past its end is
    // caught by the address sanitizer.
    std::unique_ptr<unsigned char[]> exact(new unsigned char[row.record.size() + (row.record.empty() ? 1 : 0)]);
    if (!row.record.empty()) {
      std::memcpy(exact.get(), row.record.data(), row.record.size());
    }
    uint32_t fileVersionHigh = 0xDEADBEEFu;
    EXPECT_EQ(FindFileVersionHigh(exact.get(), row.record.size(), &fileVersionHigh), row.found);
    if (row.found) {
      EXPECT_EQ(fileVersionHigh, row.fileVersionHigh);
    }
  }
}

TEST(VersionText, NoRecordAtAllIsNotFound) {
  uint32_t fileVersionHigh = 0;
  EXPECT_FALSE(FindFileVersionHigh(nullptr, 0, &fileVersionHigh));
  EXPECT_FALSE(FindFileVersionHigh(nullptr, 92, &fileVersionHigh));
}

}  // namespace
