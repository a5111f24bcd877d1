#include "anim/anim_state.h"

AnimStateRecord AnimState = {};
