#include "shellglobals.h"

namespace {
QLabel *g_zeroSizeLabel = nullptr;
}

QLabel *zeroSizeLabel()
{
    return g_zeroSizeLabel;
}

void setZeroSizeLabel(QLabel *label)
{
    g_zeroSizeLabel = label;
}
