#include "mqttlink.h"
