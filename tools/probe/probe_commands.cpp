#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "probe.h"

namespace {

const char* NullIfDash(const char* text) {
  return std::strcmp(text, "-") == 0 ? nullptr : text;
}

std::string JoinArguments(int count, char** arguments) {
  std::string joined;
  for (int i = 0; i < count; ++i) {
    if (i > 0) joined += ' ';
    joined += arguments[i];
  }
  return joined;
}

// run TIMEOUT_MS COMMAND LINE...
int RunCommand(int count, char** arguments) {
  const ProcessOutcome outcome =
      RunCommandLine(JoinArguments(count - 1, arguments + 1), std::strtoul(arguments[0], nullptr, 0));
  PrintOutcome(outcome);
  return outcome.started && !outcome.timedOut ? 0 : 1;
}

// find CLASS|- TITLE|-
int FindCommand(int, char** arguments) {
  HWND window = FindWindowA(NullIfDash(arguments[0]), NullIfDash(arguments[1]));
  if (window == nullptr) {
    std::printf("no window\n");
    return 1;
  }
  PrintWindow(window);
  return 0;
}

LRESULT CALLBACK PreviewParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HELP || message == WM_CONTEXTMENU) {
    std::printf("parent received message=0x%X wParam=0x%llx lParam=0x%llx\n", message,
                static_cast<unsigned long long>(wParam), static_cast<unsigned long long>(lParam));
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreatePreviewParent() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = PreviewParentProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "PennydanceProbePreviewParent";
  RegisterClassA(&windowClass);
  // A popup has no frame, so its client area is the whole 152 x 112.
  return CreateWindowExA(0, windowClass.lpszClassName, "Probe preview parent",
                         WS_POPUP | WS_VISIBLE, 100, 100, 152, 112, nullptr, nullptr,
                         windowClass.hInstance, nullptr);
}

void CALLBACK ReportChildAndDestroyParent(HWND parent, UINT, UINT_PTR, DWORD) {
  KillTimer(parent, 1);
  HWND child = FindWindowExA(parent, nullptr, nullptr, nullptr);
  if (child != nullptr) {
    PrintWindow(child);
  } else {
    std::printf("no child window\n");
  }
  DestroyWindow(parent);
}

// preview RUN_MS TIMEOUT_MS MODULE [EXTRA]: runs "MODULE /p <parent>EXTRA" in
// a 152 x 112 parent for RUN_MS, reports the child, then destroys the parent.
int PreviewCommand(int count, char** arguments) {
  HWND parent = CreatePreviewParent();
  if (parent == nullptr) {
    std::printf("cannot create the parent\n");
    return 1;
  }
  char commandLine[1024];
  std::snprintf(commandLine, sizeof commandLine, "\"%s\" /p %llu%s", arguments[2],
                static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(parent)),
                count > 3 ? arguments[3] : "");
  std::printf("parent=0x%llx\n", static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(parent)));
  // Destroy the parent after RUN_MS from a timer, while RunCommandLine waits.
  SetTimer(parent, 1, std::strtoul(arguments[0], nullptr, 0), ReportChildAndDestroyParent);
  const ProcessOutcome outcome = RunCommandLine(commandLine, std::strtoul(arguments[1], nullptr, 0));
  PrintOutcome(outcome);
  if (IsWindow(parent)) DestroyWindow(parent);
  return outcome.started && !outcome.timedOut ? 0 : 1;
}

// post CLASS|- TITLE|- MESSAGE WPARAM LPARAM
int PostCommand(int, char** arguments) {
  HWND window = FindWindowA(NullIfDash(arguments[0]), NullIfDash(arguments[1]));
  if (window == nullptr) {
    std::printf("no window\n");
    return 1;
  }
  const BOOL posted = PostMessageA(window, std::strtoul(arguments[2], nullptr, 0),
                                   std::strtoull(arguments[3], nullptr, 0),
                                   std::strtoll(arguments[4], nullptr, 0));
  std::printf("posted=%d\n", posted ? 1 : 0);
  return posted ? 0 : 1;
}

// window HANDLE
int WindowCommand(int, char** arguments) {
  HWND window = ParseHandleArgument(arguments[0]);
  if (!IsWindow(window)) {
    std::printf("no window\n");
    return 1;
  }
  PrintWindow(window);
  return 0;
}

}  // namespace

const ProbeCommand ProbeCommands[] = {
    {"run", "TIMEOUT_MS COMMAND_LINE...", 2, RunCommand},
    {"find", "CLASS|- TITLE|-", 2, FindCommand},
    {"window", "HANDLE", 1, WindowCommand},
    {"preview", "RUN_MS TIMEOUT_MS MODULE [TEXT_AFTER_HANDLE]", 3, PreviewCommand},
    {"post", "CLASS|- TITLE|- MESSAGE WPARAM LPARAM", 5, PostCommand},
};
const int ProbeCommandCount = sizeof ProbeCommands / sizeof ProbeCommands[0];
