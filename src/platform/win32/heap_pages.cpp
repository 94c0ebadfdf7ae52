#include "platform/heap_pages.h"

namespace tarnwick {

// Large pages on Windows need a privilege that users do not hold: the heap stays as it is.
void PreferLargeHeapPages() {}

}  // namespace tarnwick
