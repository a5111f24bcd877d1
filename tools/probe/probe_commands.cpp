#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "probe.h"

namespace {

const char* NullIfDash(const char* text) {
  return std::strcmp(text, "-") == 0 ? nullptr : text;
}

// A time limit given in milliseconds, counted from the start of a process,
// plus PENNYDANCE_START_ALLOWANCE_MS: the suites set it when the module
// under test is a 32-bit program that starts slowly here (under qemu-user).
DWORD TimeLimitArgument(const char* text) {
  const char* allowance = std::getenv("PENNYDANCE_START_ALLOWANCE_MS");
  return std::strtoul(text, nullptr, 0) +
         (allowance != nullptr ? std::strtoul(allowance, nullptr, 0) : 0);
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
      RunCommandLine(JoinArguments(count - 1, arguments + 1), TimeLimitArgument(arguments[0]));
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

// The display settings' preview box is 152 x 112. A popup has no frame, so
// its client area is the whole box; the one a person watches gets a caption
// so that it can be moved and closed.
HWND CreatePreviewParent(bool framed) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = PreviewParentProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = "PennydanceProbePreviewParent";
  RegisterClassA(&windowClass);
  const DWORD style = framed ? WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE
                             : WS_POPUP | WS_VISIBLE;
  RECT frame = {0, 0, 152, 112};
  AdjustWindowRect(&frame, style, FALSE);
  return CreateWindowExA(0, windowClass.lpszClassName, "Pennydance preview", style, 100, 100,
                         frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
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
  std::fflush(stdout);
  DestroyWindow(parent);
}

// The tail with "{handle}" replaced by the parent's handle in decimal and
// "{handle+2^32}" by the same plus 2^32 (which the saver must wrap back).
std::string PreviewTail(const std::string& pattern, HWND parent) {
  const unsigned long long handle = reinterpret_cast<ULONG_PTR>(parent);
  const struct {
    const char* placeholder;
    unsigned long long value;
  } replacements[] = {{"{handle+2^32}", handle + 0x100000000ull}, {"{handle}", handle}};
  std::string tail = pattern;
  for (const auto& replacement : replacements) {
    for (size_t at = tail.find(replacement.placeholder); at != std::string::npos;
         at = tail.find(replacement.placeholder)) {
      tail.replace(at, std::strlen(replacement.placeholder), std::to_string(replacement.value));
    }
  }
  return tail;
}

// preview RUN_MS TIMEOUT_MS MODULE [TAIL]: runs "MODULE TAIL" (default
// "/p {handle}") with a 152 x 112 parent of ours for RUN_MS, reports the
// child, then destroys the parent. RUN_MS 0: a framed parent that stays
// until a person closes it.
int PreviewCommand(int count, char** arguments) {
  const bool framed = std::strtoul(arguments[0], nullptr, 0) == 0;
  const DWORD runMs = framed ? 0 : TimeLimitArgument(arguments[0]);
  HWND parent = CreatePreviewParent(framed);
  if (parent == nullptr) {
    std::printf("cannot create the parent\n");
    return 1;
  }
  const std::string commandLine = std::string("\"") + arguments[2] + "\" " +
                                  PreviewTail(count > 3 ? arguments[3] : "/p {handle}", parent);
  std::printf("parent=0x%llx\n", static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(parent)));
  std::fflush(stdout);
  // Destroy the parent after RUN_MS from a timer, while RunCommandLine waits.
  if (runMs != 0) SetTimer(parent, 1, runMs, ReportChildAndDestroyParent);
  const ProcessOutcome outcome = RunCommandLine(commandLine, TimeLimitArgument(arguments[1]));
  PrintOutcome(outcome);
  if (IsWindow(parent)) DestroyWindow(parent);
  return outcome.started && !outcome.timedOut ? 0 : 1;
}

struct WindowQuery {
  const char* className;
  const char* title;
  DWORD processId;  // 0: any process
  HWND found;
};

BOOL CALLBACK MatchTopLevelWindow(HWND window, LPARAM parameter) {
  WindowQuery* query = reinterpret_cast<WindowQuery*>(parameter);
  char text[256] = {};
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (query->processId != 0 && owner != query->processId) return TRUE;
  if (!IsWindowVisible(window)) return TRUE;
  GetClassNameA(window, text, sizeof text);
  if (query->className != nullptr && std::strcmp(text, query->className) != 0) return TRUE;
  GetWindowTextA(window, text, sizeof text);
  if (query->title != nullptr && std::strcmp(text, query->title) != 0) return TRUE;
  query->found = window;
  return FALSE;
}

// wait CLASS|- TITLE|- TIMEOUT_MS [PROCESS_ID]: waits until such a window
// (of that process) exists and is visible, then reports it.
int WaitCommand(int count, char** arguments) {
  const DWORD deadline = GetTickCount() + TimeLimitArgument(arguments[2]);
  WindowQuery query = {NullIfDash(arguments[0]), NullIfDash(arguments[1]),
                       count > 3 ? static_cast<DWORD>(std::strtoul(arguments[3], nullptr, 0)) : 0,
                       nullptr};
  for (;;) {
    EnumWindows(MatchTopLevelWindow, reinterpret_cast<LPARAM>(&query));
    if (query.found != nullptr) {
      PrintWindow(query.found);
      return 0;
    }
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) break;
    Sleep(20);
  }
  std::printf("no window\n");
  return 1;
}

// child PARENT CLASS|- TIMEOUT_MS: waits until the parent has a visible
// child of that class, then reports it.
int ChildCommand(int, char** arguments) {
  HWND parent = ParseHandleArgument(arguments[0]);
  const DWORD deadline = GetTickCount() + TimeLimitArgument(arguments[2]);
  for (;;) {
    HWND child = FindWindowExA(parent, nullptr, NullIfDash(arguments[1]), nullptr);
    if (child != nullptr && IsWindowVisible(child)) {
      PrintWindow(child);
      return 0;
    }
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) break;
    Sleep(20);
  }
  std::printf("no window\n");
  return 1;
}

// dialog TITLE|- ID...: the text, check state and screen rectangle of each
// control of the first dialog box with that title.
int DialogCommand(int count, char** arguments) {
  HWND dialog = FindWindowA("#32770", NullIfDash(arguments[0]));
  if (dialog == nullptr) {
    std::printf("no window\n");
    return 1;
  }
  for (int i = 1; i < count; ++i) {
    const int id = std::atoi(arguments[i]);
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    const LRESULT check = SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0);
    RECT rect = {};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    std::printf("item=%d text=\"%s\" check=%ld rect=(%ld,%ld,%ld,%ld)\n", id, text,
                static_cast<long>(check), rect.left, rect.top, rect.right, rect.bottom);
  }
  return 0;
}

// A window's text read as wide characters and printed in UTF-8, so that
// neither the window's nor the probe's ANSI code page changes it.
void PrintUtf8Text(HWND window) {
  wchar_t wide[512] = {};
  GetWindowTextW(window, wide, 512);
  char utf8[2048] = {};
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr);
  std::printf(" text=\"%s\"\n", utf8);
}

// texts TITLE|-: the owner and caption of the first dialog box with that
// title, then the class, identifier and text of each of its controls.
int TextsCommand(int, char** arguments) {
  HWND dialog = FindWindowA("#32770", NullIfDash(arguments[0]));
  if (dialog == nullptr) {
    std::printf("no window\n");
    return 1;
  }
  std::printf("owner=0x%llx",
              static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(GetWindow(dialog, GW_OWNER))));
  PrintUtf8Text(dialog);
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[64] = {};
    GetClassNameA(child, className, sizeof className);
    std::printf("class=%s item=%d", className, GetDlgCtrlID(child));
    PrintUtf8Text(child);
  }
  return 0;
}

// activate HOLD_MS: takes the foreground with a window of the probe's own,
// as another program coming to the front would (asking again for up to 2 s,
// as a busy display may refuse the first request), then keeps the window
// for HOLD_MS without taking the front back.
int ActivateCommand(int, char** arguments) {
  HWND window = CreateWindowExA(0, "STATIC", "Probe window", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  std::printf("window=0x%llx\n", static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window)));
  std::fflush(stdout);
  const DWORD start = GetTickCount();
  const DWORD holdMs = std::strtoul(arguments[0], nullptr, 0);
  bool front = false;
  while (GetTickCount() - start < holdMs) {
    if (!front && GetTickCount() - start < 2000) {
      front = GetForegroundWindow() == window || (SetForegroundWindow(window) &&
                                                  GetForegroundWindow() == window);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  std::printf("took the foreground=%d\n", front ? 1 : 0);
  DestroyWindow(window);
  return front ? 0 : 1;
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
    {"preview", "RUN_MS TIMEOUT_MS MODULE [TAIL with {handle} or {handle+2^32}]", 3,
     PreviewCommand},
    {"wait", "CLASS|- TITLE|- TIMEOUT_MS [PROCESS_ID]", 3, WaitCommand},
    {"child", "PARENT CLASS|- TIMEOUT_MS", 3, ChildCommand},
    {"dialog", "TITLE|- CONTROL_ID...", 1, DialogCommand},
    {"texts", "TITLE|-", 1, TextsCommand},
    {"activate", "HOLD_MS", 1, ActivateCommand},
    {"post", "CLASS|- TITLE|- MESSAGE WPARAM LPARAM", 5, PostCommand},
    {"memory", "PROCESS_ID", 1, MemoryCommand},
    {"store", "KEY NAME TYPE HEX|-", 4, StoreCommand},
};
const int ProbeCommandCount = sizeof ProbeCommands / sizeof ProbeCommands[0];
