#pragma once

class QLabel;

// The parentless zero-size label created at start-up and held for the display-window code.
QLabel *zeroSizeLabel();
void setZeroSizeLabel(QLabel *label);
