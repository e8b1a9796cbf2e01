#include "headless.h"

namespace {
bool g_active = false;
} // namespace

void Headless::setActive(bool active)
{
    g_active = active;
}

bool Headless::active()
{
    return g_active;
}
