#include "ed25519key.h"
