#include "x11/x11_state.h"

X11StateRecord X11State = {};
