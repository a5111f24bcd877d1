#include "x11/x11_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "settings/setting_options.h"

namespace {

const size_t NameRoom = 32;

// "--name", "-name" and the forms with "=value": the name without dashes,
// and the attached value or null.
const char* WithoutDashes(const char* argument) {
  if (argument[0] != '-') return nullptr;
  return argument[1] == '-' ? argument + 2 : argument + 1;
}

OptionsOutcome Refuse(char* problem, size_t problemSize, const char* format, const char* what) {
  std::snprintf(problem, problemSize, format, what);
  return OptionsBad;
}

}  // namespace

bool ReadWindowId(const char* text, unsigned long* id) {
  const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const char* digits = hex ? text + 2 : text;
  if (*digits == '\0') return false;
  for (const char* c = digits; *c != '\0'; ++c) {
    const bool decimal = *c >= '0' && *c <= '9';
    const bool letter = (*c >= 'a' && *c <= 'f') || (*c >= 'A' && *c <= 'F');
    if (!decimal && !(hex && letter)) return false;
  }
  errno = 0;
  const unsigned long long read = std::strtoull(digits, nullptr, hex ? 16 : 10);
  if (errno == ERANGE || read == 0 || read > LargestResourceId) return false;
  *id = static_cast<unsigned long>(read);
  return true;
}

OptionsOutcome ReadOptions(int argc, const char* const argv[], X11OptionsRecord* options,
                           char* problem, size_t problemSize) {
  *options = X11OptionsRecord{DrawInOwnWindow, 0, 0, 0, SaverSettingsRecord{}};
  SetDefaultSettings(&options->settings);
  problem[0] = '\0';
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    const char* name = WithoutDashes(argument);
    if (name == nullptr || *name == '\0') {
      return Refuse(problem, problemSize, "unknown option \"%s\"", argument);
    }
    const char* equals = std::strchr(name, '=');
    const size_t length = equals != nullptr ? static_cast<size_t>(equals - name) : std::strlen(name);
    const char* attached = equals != nullptr ? equals + 1 : nullptr;
    const SettingDescription* setting = SettingOfOptionName(name, length);
    const bool takesValue = setting != nullptr || OptionNameIs(name, length, "window-id");
    if (!takesValue && attached != nullptr) {
      return Refuse(problem, problemSize, "option \"%s\" takes no value", argument);
    }
    const char* value = attached;
    if (takesValue && value == nullptr) {
      if (i + 1 >= argc) return Refuse(problem, problemSize, "option \"%s\" needs a value", argument);
      value = argv[++i];
    }
    if (OptionNameIs(name, length, "help") || OptionNameIs(name, length, "h")) return OptionsHelp;
    if (OptionNameIs(name, length, "root")) {
      options->place = DrawOnRoot;
    } else if (OptionNameIs(name, length, "window-id")) {
      if (!ReadWindowId(value, &options->windowId)) {
        return Refuse(problem, problemSize, "bad window id \"%s\" for --window-id", value);
      }
      options->place = DrawInWindowId;
    } else if (OptionNameIs(name, length, "preview")) {
      options->isPreview = 1;
    } else if (OptionNameIs(name, length, "fps")) {
      options->showFps = 1;
    } else if (setting != nullptr) {
      if (ApplySettingOption(name, length, value, std::strlen(value), &options->settings) == BadSettingValue) {
        char said[NameRoom + 64];
        std::snprintf(said, sizeof said, "bad value \"%s\" for --%.*s (a whole number)", value,
                      static_cast<int>(length), name);
        return Refuse(problem, problemSize, "%s", said);
      }
    } else {
      return Refuse(problem, problemSize, "unknown option \"%s\"", argument);
    }
  }
  BoundAsTheDialogDoes(&options->settings);
  return OptionsRun;
}

void PrintUsageLine(FILE* out) {
  std::fprintf(out, "usage: pennydance [--root | --window-id ID] [--preview] [--fps]");
  for (const SettingDescription& setting : SettingTable) {
    char name[NameRoom];
    if (OptionNameOf(setting.name, name, sizeof name)) std::fprintf(out, " [--%s N]", name);
  }
  std::fprintf(out, " [--help]\n");
}

void PrintHelp(FILE* out) {
  PrintUsageLine(out);
  std::fprintf(out,
               "Pennydance: little characters wander, turn and bounce over a black screen.\n"
               "  --root           draw on $XSCREENSAVER_WINDOW, else on the root window\n"
               "  --window-id ID   draw into that window (decimal or 0x hexadecimal)\n"
               "                   (with neither: an 800 x 600 window; q or Escape ends it)\n"
               "  --preview        one character spinning in place (also in any window\n"
               "                   narrower or lower than 224 pixels)\n"
               "  --fps            show steps per second and the last step's time\n");
  for (const SettingDescription& setting : SettingTable) {
    char name[NameRoom];
    if (!OptionNameOf(setting.name, name, sizeof name)) continue;
    char option[NameRoom + 8];
    std::snprintf(option, sizeof option, "--%s N", name);
    std::fprintf(out, "  %-16s %s; %d..%d, default %d\n", option, setting.meaning,
                 setting.lowest, setting.highest, setting.defaultValue);
  }
  std::fprintf(out,
               "Values out of range are brought into it as the Windows settings dialog's OK\n"
               "does: --zoom other than 1 means 2, --rot-time-max not above --rot-time-min\n"
               "becomes --rot-time-min + 1; a number beyond 32 bits counts as the nearest\n"
               "32-bit one first (--number 99999999999 means 256).\n"
               "  --help           this text\n");
}
