#include "host/pointer.h"

void HidePointer() {
  SetCursor(nullptr);
}

ScreenPoint CurrentCursorPosition() {
  POINT cursor = {0, 0};
  GetCursorPos(&cursor);
  return ScreenPoint{cursor.x, cursor.y};
}
