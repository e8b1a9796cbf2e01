#include "fleetca.h"
