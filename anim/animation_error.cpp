#include "anim/animation_error.h"

const char SaverErrorCaption[] = "Pennydance Error";

void ShowSaverError(HWND window, const char* text) {
  MessageBoxA(window, text, SaverErrorCaption, MB_OK);
}
