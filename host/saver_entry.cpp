// The program's entry: the runtime has started; the framework takes over.
#include <windows.h>

#include "host/saver_main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  SaverMain();
}
