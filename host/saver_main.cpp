#include "host/saver_main.h"

// Placeholder until the mode dispatch lands: ends with the code of an
// unrecognised switch.
void SaverMain() {
  ExitProcess(static_cast<UINT>(-1));
}
