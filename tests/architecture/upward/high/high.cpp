#include "high.h"

#include "low/low.h"

int high() { return 2; }
