#pragma once

// The interface font of the whole program: the family the texts were designed for, with the
// CJK families a Linux desktop has in its place, at 14 pixels. Call before the first widget.
void applyApplicationFont();
