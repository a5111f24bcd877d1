// Message boxes that the saver shows on its own thread while a test waits
// inside CreateWindowExA: a thread timer, dispatched by the box's modal
// loop, notes every box once, lets the test look around while it is open,
// and dismisses it with OK.
#pragma once

#ifdef _WIN32
#include <windows.h>

#include <string>
#include <vector>

#include "anim/anim_state.h"
#include "anim/sprite_field.h"

struct SeenMessageBox {
  HWND box;
  HWND owner;
  std::string caption;             // as the ANSI calls read it (code page 932)
  std::vector<std::string> texts;  // of its static controls
  int buttons;
  AnimStateRecord animation;       // the animation state while it was open
  SpriteFieldRecord field;
  BOOL timerWasRunning;            // timer 1 of the owner existed then
};

// Called while a box is open, before it is dismissed.
typedef void (*WhileBoxIsOpen)(SeenMessageBox* seen);

void StartWatchingMessageBoxes(WhileBoxIsOpen whileOpen = nullptr);
std::vector<SeenMessageBox> StopWatchingMessageBoxes();
#endif
