#include "clocktimer.h"
