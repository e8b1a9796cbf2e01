#include "bundlemanifest.h"
