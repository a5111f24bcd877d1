// The X11 program's command line: where it draws, the switches, and the
// settings bounded by the dialog's OK rules; bad input is refused by name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "x11/step_clock.h"
#include "x11/x11_options.h"

namespace {

struct Outcome {
  OptionsOutcome outcome;
  X11OptionsRecord options;
  std::string problem;
};

Outcome Read(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "pennydance");
  Outcome read;
  char problem[256];
  read.outcome = ReadOptions(static_cast<int>(arguments.size()), arguments.data(), &read.options,
                             problem, sizeof problem);
  read.problem = problem;
  return read;
}

TEST(X11Options, SettingsTakeTheTableDefaultsAndAreBoundedAsTheDialogsOk) {
  struct Row {
    std::vector<const char*> arguments;
    SaverSettingsRecord expected;  // Zoom, Number, MoveSpeed, RotSpeed, RotTimeMin, RotTimeMax
  };
  const Row rows[] = {
      {{}, {1, 4, 8, 16, 16, 48}},
      {{"--number=0", "--rot-speed", "-3"}, {1, 1, 8, 0, 16, 48}},
      {{"-zoom", "3"}, {2, 4, 8, 16, 16, 48}},  // any zoom but 1 means 2
      {{"--number", "99999999999", "--move-speed", "-99999999999"}, {1, 256, 0, 16, 16, 48}},
      // The turn span never empties: a minimum of 999 is kept below the cap,
      // and a maximum not above the minimum becomes the minimum + 1.
      {{"--rot-time-min", "999"}, {1, 4, 8, 16, 998, 999}},
      {{"--rot-time-min", "60", "--rot-time-max", "10"}, {1, 4, 8, 16, 60, 61}},
      {{"--move-speed", "257", "--rot-time-max", "+1000"}, {1, 4, 256, 16, 16, 999}},
  };
  for (const Row& row : rows) {
    const Outcome read = Read(row.arguments);
    std::string said;
    for (const char* argument : row.arguments) said += std::string(argument) + " ";
    ASSERT_EQ(read.outcome, OptionsRun) << said << read.problem;
    for (const SettingDescription& setting : SettingTable) {
      EXPECT_EQ(read.options.settings.*setting.field, row.expected.*setting.field) << said << setting.name;
    }
  }
}

TEST(X11Options, PlaceAndSwitches) {
  struct Row {
    std::vector<const char*> arguments;
    DrawPlace place;
    unsigned long windowId;
    int32_t isPreview, showFps;
  };
  const Row rows[] = {
      {{}, DrawInOwnWindow, 0, 0, 0},
      {{"-root", "--fps"}, DrawOnRoot, 0, 0, 1},
      {{"--window-id", "0x2A00007"}, DrawInWindowId, 0x2A00007, 0, 0},
      {{"--window-id=12345", "--preview"}, DrawInWindowId, 12345, 1, 0},
  };
  for (const Row& row : rows) {
    const Outcome read = Read(row.arguments);
    ASSERT_EQ(read.outcome, OptionsRun) << read.problem;
    EXPECT_EQ(read.options.place, row.place);
    EXPECT_EQ(read.options.windowId, row.windowId);
    EXPECT_EQ(read.options.isPreview, row.isPreview);
    EXPECT_EQ(read.options.showFps, row.showFps);
  }
  EXPECT_EQ(Read({"--help"}).outcome, OptionsHelp);
}

TEST(X11Options, UnknownOptionsAndBadValuesAreRefusedByName) {
  struct Row {
    std::vector<const char*> arguments;
    const char* named;  // the problem must contain this
  };
  const Row rows[] = {
      {{"--number", "abc"}, "\"abc\" for --number"},
      {{"--zoom", "1.5"}, "\"1.5\" for --zoom"},
      {{"--rot-time-max", ""}, "\"\" for --rot-time-max"},
      {{"--move-speed"}, "\"--move-speed\" needs a value"},
      {{"--frobnicate"}, "\"--frobnicate\""},
      {{"number"}, "\"number\""},
      {{"--window-id", "0xZZ"}, "\"0xZZ\" for --window-id"},
      {{"--window-id", "0"}, "\"0\" for --window-id"},
      {{"--fps=1"}, "\"--fps=1\" takes no value"},
  };
  for (const Row& row : rows) {
    const Outcome read = Read(row.arguments);
    EXPECT_EQ(read.outcome, OptionsBad) << row.named;
    EXPECT_NE(read.problem.find(row.named), std::string::npos) << read.problem;
  }
}

// A late step does not move the grid: the next deadline is the next grid
// point after now, missed steps are skipped.
TEST(StepClock, DeadlinesStayOnTheGrid) {
  const int64_t period = StepPeriodNs;
  EXPECT_EQ(NextStepDeadline(1000, 1000 + period / 10), 1000 + period);
  EXPECT_EQ(NextStepDeadline(1000, 1000 + period + 5), 1000 + 2 * period);
  EXPECT_EQ(NextStepDeadline(1000, 1000 + 3 * period + period / 2), 1000 + 4 * period);
}

}  // namespace
