#ifdef _WIN32
#include "tests/support/anim_box_watcher.h"

#include <algorithm>

#include "anim/animation_life.h"

namespace {

UINT_PTR WatchTimer = 0;
WhileBoxIsOpen WhileOpen = nullptr;
std::vector<SeenMessageBox> Seen;

bool AlreadySeen(HWND box) {
  return std::any_of(Seen.begin(), Seen.end(),
                     [box](const SeenMessageBox& seen) { return seen.box == box; });
}

std::string TextOf(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

BOOL CALLBACK NoteControl(HWND control, LPARAM seenBox) {
  SeenMessageBox* seen = reinterpret_cast<SeenMessageBox*>(seenBox);
  char className[32] = {};
  GetClassNameA(control, className, sizeof className);
  if (lstrcmpiA(className, "Static") == 0) {
    const std::string text = TextOf(control);
    if (!text.empty()) seen->texts.push_back(text);
  } else if (lstrcmpiA(className, "Button") == 0) {
    seen->buttons++;
  }
  return TRUE;
}

BOOL CALLBACK NoteBox(HWND window, LPARAM) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window) || AlreadySeen(window)) {
    return TRUE;
  }
  SeenMessageBox seen = {};
  seen.box = window;
  seen.owner = GetWindow(window, GW_OWNER);
  seen.caption = TextOf(window);
  EnumChildWindows(window, NoteControl, reinterpret_cast<LPARAM>(&seen));
  seen.animation = AnimState;
  seen.field = SpriteField;
  // Killing a timer that exists succeeds; put it back if it did.
  seen.timerWasRunning = seen.owner != nullptr && KillTimer(seen.owner, AnimationTimerId);
  if (seen.timerWasRunning) {
    SetTimer(seen.owner, AnimationTimerId, AnimationTimerPeriod, AnimationTimerProc);
  }
  if (WhileOpen != nullptr) WhileOpen(&seen);
  Seen.push_back(seen);
  PostMessageA(window, WM_COMMAND, IDOK, 0);
  return TRUE;
}

void CALLBACK LookForBoxes(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), NoteBox, 0);
}

}  // namespace

void StartWatchingMessageBoxes(WhileBoxIsOpen whileOpen) {
  Seen.clear();
  WhileOpen = whileOpen;
  WatchTimer = SetTimer(nullptr, 0, 40, LookForBoxes);
}

std::vector<SeenMessageBox> StopWatchingMessageBoxes() {
  KillTimer(nullptr, WatchTimer);
  WatchTimer = 0;
  WhileOpen = nullptr;
  return Seen;
}
#endif
