// "Add Media" -> "File": files chosen by the operator become media items of the current window.
#include "projecttree.h"

void ProjectTree::addMediaFileSlot() {}
