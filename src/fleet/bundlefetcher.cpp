#include "bundlefetcher.h"
