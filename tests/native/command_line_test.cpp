// The command line as the desktop hands it over: where the arguments start,
// which mode the switch selects, how the window handle is read; and the
// arithmetic that decides when input dismisses the saver.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "host/command_line.h"
#include "host/dismissal_rules.h"

namespace {

char* WINAPI StepSingleByte(const char* text) {
  return const_cast<char*>(*text == '\0' ? text : text + 1);
}

// Code page 932: 0x81-0x9F and 0xE0-0xFC lead a two-byte character, whose
// second byte may be anything, a quote or a space included.
char* WINAPI StepCodePage932(const char* text) {
  const unsigned char lead = static_cast<unsigned char>(text[0]);
  if (lead == 0) {
    return const_cast<char*>(text);
  }
  const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
  if (isLead && text[1] != '\0') {
    return const_cast<char*>(text + 2);
  }
  return const_cast<char*>(text + 1);
}

struct TailCase {
  const char* name;
  const char* commandLine;
  const char* expectedTail;
};

TEST(CommandLineTail, FollowsTheProgramNameAndTheBlanksAfterIt) {
  const TailCase cases[] = {
      {"plain name", "pennydance.scr /s", "/s"},
      {"plain name only", "pennydance.scr", ""},
      {"plain name, trailing blanks", "pennydance.scr  \t ", ""},
      {"quoted name with spaces", "\"C:\\Program Files\\My Savers\\pennydance.scr\" /s", "/s"},
      {"quoted name, no blank before the switch", "\"C:\\a b\\p.scr\"/s", "/s"},
      {"quoted name only", "\"C:\\a b\\p.scr\"", ""},
      {"unclosed quote swallows everything", "\"C:\\a b\\p.scr /s", ""},
      {"text behind the closing quote is a switch", "\"p\"x /s", "x /s"},
      {"tab and control bytes after the name", "p.scr\t\x01\x1f/c", "/c"},
      {"bytes above 127 belong to the name", "p\xe9\xa0.scr /p 5", "/p 5"},
      {"tail starting with a byte above 127 is kept", "p.scr \xa0/s", "\xa0/s"},
      {"no name: a leading blank", " /s", "/s"},
      {"no name: leading tabs", "\t\t/p 12", "/p 12"},
      {"empty command line", "", ""},
      {"blanks inside the tail stay", "p.scr - - s", "- - s"},
  };
  for (const TailCase& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(std::string(FindArgumentTail(row.commandLine, StepSingleByte)), row.expectedTail);
  }
}

TEST(CommandLineTail, StepsOverDoubleByteCharactersWhole) {
  // 0x95 0x22 is one character whose second byte is a double quote, and
  // 0x83 0x20 one whose second byte is a space: neither ends the name.
  const TailCase cases[] = {
      {"quote inside a quoted name", "\"C:\\\x95\x22x\\p.scr\" /s", "/s"},
      {"space inside a plain name", "C:\\\x83\x20x\\p.scr /c", "/c"},
      {"lead byte at the very end", "p\x83", ""},
  };
  for (const TailCase& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(std::string(FindArgumentTail(row.commandLine, StepCodePage932)), row.expectedTail);
  }
  // The single-byte stepper ends the quoted name early on the same text.
  EXPECT_EQ(std::string(FindArgumentTail("\"C:\\\x95\x22x\\p.scr\" /s", StepSingleByte)),
            "x\\p.scr\" /s");
}

struct SwitchCase {
  const char* tail;
  int32_t isWin95Family;
  SaverMode mode;
  int32_t ownerIsForeground;
  const char* handleText;  // null: no handle text
};

TEST(CommandLineSwitch, SelectsTheModeByTheFirstRecognisedLetter) {
  const SwitchCase cases[] = {
      {"", 0, SaverMode::Configure, 0, nullptr},
      {"/s", 0, SaverMode::Run, 0, nullptr},
      {"S", 0, SaverMode::Run, 0, nullptr},
      {"- - s", 0, SaverMode::Run, 0, nullptr},
      {"//s", 0, SaverMode::Run, 0, nullptr},
      {"/s anything", 0, SaverMode::Run, 0, nullptr},
      {"/sx", 0, SaverMode::Run, 0, nullptr},
      {"/c", 0, SaverMode::Configure, 1, nullptr},
      {"/C:1234", 0, SaverMode::Configure, 1, nullptr},
      {"  ", 0, SaverMode::Configure, 0, nullptr},  // only skipped bytes: the end
      {"-/ -", 0, SaverMode::Configure, 0, nullptr},
      {"/p 1234", 0, SaverMode::Preview, 0, "1234"},
      {"-p1234", 0, SaverMode::Preview, 0, "1234"},
      {"/P   1234", 0, SaverMode::Preview, 0, "1234"},
      {"/l 1234", 0, SaverMode::Preview, 0, "1234"},
      {"/L1", 0, SaverMode::Preview, 0, "1"},
      {"/p:1234", 0, SaverMode::Preview, 0, ":1234"},
      {"/p", 0, SaverMode::Preview, 0, ""},
      {"/p\t5", 0, SaverMode::Preview, 0, "\t5"},  // only spaces are skipped
      {"/a", 1, SaverMode::ChangePassword, 0, ""},
      {"/A  77", 1, SaverMode::ChangePassword, 0, "77"},
      {"/a", 0, SaverMode::Unrecognised, 0, nullptr},
      {"/A 77", 0, SaverMode::Unrecognised, 0, nullptr},
      {"/x", 0, SaverMode::Unrecognised, 0, nullptr},
      {"/1", 1, SaverMode::Unrecognised, 0, nullptr},
      {"/\ts", 0, SaverMode::Unrecognised, 0, nullptr},
      {"\ts", 0, SaverMode::Unrecognised, 0, nullptr},
      {"/\xd3", 0, SaverMode::Unrecognised, 0, nullptr},
      {"+s", 0, SaverMode::Unrecognised, 0, nullptr},
  };
  for (const SwitchCase& row : cases) {
    SCOPED_TRACE(std::string("tail [") + row.tail + "] family " +
                 std::to_string(row.isWin95Family));
    const SaverSwitch scanned = ScanSaverSwitch(row.tail, row.isWin95Family);
    EXPECT_EQ(static_cast<int32_t>(scanned.mode), static_cast<int32_t>(row.mode));
    EXPECT_EQ(scanned.ownerIsForeground, row.ownerIsForeground);
    if (row.handleText == nullptr) {
      EXPECT_EQ(scanned.handleText, nullptr);
    } else {
      ASSERT_NE(scanned.handleText, nullptr);
      EXPECT_EQ(std::string(scanned.handleText), row.handleText);
    }
  }
  EXPECT_EQ(static_cast<int32_t>(SaverMode::Unrecognised), -1);
}

struct HandleCase {
  const char* text;
  uint32_t value;
};

TEST(CommandLineHandle, IsReadAsUnsignedDecimalModulo2To32) {
  const HandleCase cases[] = {
      {"1234", 1234u},
      {"12abc", 12u},
      {"0", 0u},
      {"", 0u},
      {":1234", 0u},
      {"-5", 0u},
      {"+5", 0u},
      {"0x10", 0u},
      {" 5", 0u},
      {"4294967295", 0xFFFFFFFFu},
      {"4294967296", 0u},
      {"4294967297", 1u},                // 2^32 + 1
      {"4294967297123", 1123u},  // keeps wrapping: (2^32 + 1) * 1000 + 123
      {"0000000000000000000000042", 42u},
      {"1 2", 1u},
  };
  for (const HandleCase& row : cases) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ParseWindowHandle(row.text), row.value);
  }
}

struct MoveCase {
  ScreenPoint reference;
  ScreenPoint cursor;
  uint32_t distance;
  bool closes;
};

TEST(DismissalMovement, ClosesOnlyBeyondFourPixelsCityBlock) {
  const int32_t most = INT32_MAX;
  const int32_t least = INT32_MIN;
  const MoveCase cases[] = {
      {{400, 300}, {400, 300}, 0, false},
      {{400, 300}, {403, 301}, 4, false},  // (3, 1)
      {{400, 300}, {403, 302}, 5, true},   // (3, 2)
      {{400, 300}, {397, 299}, 4, false},
      {{400, 300}, {397, 298}, 5, true},
      {{400, 300}, {404, 300}, 4, false},
      {{400, 300}, {400, 295}, 5, true},
      {{-10, -10}, {-12, -12}, 4, false},
      {{-10, -10}, {-7, -8}, 5, true},
      // Far apart: the unsigned sum wraps, as the platform's arithmetic does.
      {{least, 0}, {most, 0}, 0xFFFFFFFFu, true},
      {{least, least}, {most, most}, 0xFFFFFFFEu, true},
      {{most, 0}, {least, 0}, 0xFFFFFFFFu, true},
      {{least, least}, {most, least + 2}, 1u, false},
  };
  for (const MoveCase& row : cases) {
    SCOPED_TRACE(testing::Message() << "(" << row.reference.x << "," << row.reference.y << ")->("
                                    << row.cursor.x << "," << row.cursor.y << ")");
    EXPECT_EQ(CityBlockDistance(row.reference, row.cursor), row.distance);
    EXPECT_EQ(MovedBeyondThreshold(row.reference, row.cursor), row.closes);
  }
}

TEST(DismissalMovement, OnePixelAtATimeClosesOnTheFifthStep) {
  const ScreenPoint reference = {100, 100};
  int closingStep = 0;
  for (int step = 1; step <= 8 && closingStep == 0; ++step) {
    if (MovedBeyondThreshold(reference, ScreenPoint{100 + step, 100})) closingStep = step;
  }
  EXPECT_EQ(closingStep, 5);
}

struct GapCase {
  uint32_t lastVerifyTick;
  uint32_t now;
  bool refusedWithoutAsking;
};

TEST(DismissalRetryGap, RefusesWithinTwoHundredMillisecondsOfTheLastPrompt) {
  const GapCase cases[] = {
      {NeverVerified, 0u, false},
      {NeverVerified, 100u, false},
      {NeverVerified, 0xFFFFFFFFu, false},
      {1000u, 1000u, true},
      {1000u, 1199u, true},
      {1000u, 1200u, false},
      {1000u, 1201u, false},
      {1000u, 999u, false},  // a clock that ran back: far, not recent
      {0xFFFFFFF0u, 0x00000010u, true},   // wrap: 32 ms
      {0xFFFFFFF0u, 0x000000B7u, true},   // wrap: 199 ms
      {0xFFFFFFF0u, 0x000000B8u, false},  // wrap: 200 ms
      {0xFFFFFF38u, 0xFFFFFFFFu, true},   // 199 ms up to the last tick value
      {0u, 199u, true},
      {0u, 200u, false},
  };
  for (const GapCase& row : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << row.lastVerifyTick << " -> " << row.now);
    EXPECT_EQ(IsWithinRetryGap(row.lastVerifyTick, row.now), row.refusedWithoutAsking);
  }
  EXPECT_EQ(MouseMoveThreshold, 4u);
  EXPECT_EQ(VerifyRetryGap, 200u);
}

}  // namespace
