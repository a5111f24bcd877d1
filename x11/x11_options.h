// The command line of the X11 program, as xscreensaver passes it to a hack:
// where to draw, the preview switch, --fps, and one option per setting of
// the settings table, bounded by the dialog's OK rules. Pure code.
#pragma once

#include <cstdint>
#include <cstdio>

#include "settings/saver_settings.h"

enum DrawPlace : int32_t {
  DrawInOwnWindow = 0,  // an 800 x 600 window of the program's own
  DrawOnRoot = 1,       // $XSCREENSAVER_WINDOW, else the root window
  DrawInWindowId = 2,   // an existing window, by its id
};

struct X11OptionsRecord {
  DrawPlace place;
  unsigned long windowId;  // for DrawInWindowId
  int32_t isPreview;       // --preview
  int32_t showFps;         // --fps
  SaverSettingsRecord settings;
};

enum OptionsOutcome : int32_t {
  OptionsRun = 0,
  OptionsHelp = 1,  // --help: print the help, exit 0
  OptionsBad = 2,   // the problem names the option; exit 2
};

// Reads argv[1..argc-1] into *options (settings not given keep the table's
// defaults; all six then go through the dialog's OK bounding). On
// OptionsBad, problem holds one line naming the option or value.
OptionsOutcome ReadOptions(int argc, const char* const argv[], X11OptionsRecord* options,
                           char* problem, size_t problemSize);

// The usage line, and the help that lists every option with its range and
// default from the settings table.
void PrintUsageLine(FILE* out);
void PrintHelp(FILE* out);

// X resource ids have their top three bits clear; a larger number names
// no window (Xlib would cut it to 32 bits and draw into another one).
const unsigned long LargestResourceId = 0x1FFFFFFFul;

// A window id as xscreensaver writes them: decimal, or hexadecimal after
// 0x; false for anything else, 0, or a number beyond LargestResourceId.
bool ReadWindowId(const char* text, unsigned long* id);
