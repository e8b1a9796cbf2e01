#include "low.h"

#include "high/high.h"

int low() { return high() - 1; }
