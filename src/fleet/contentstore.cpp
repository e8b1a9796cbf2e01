#include "contentstore.h"
