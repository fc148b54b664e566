#include "platform/memory_release.h"

#include <malloc.h>

namespace sumiplex::platform {

void giveLargeBuffersBack() {
    // Setting the threshold also stops glibc raising it after each large free, which is
    // what lets freed buffers pile up in the heap.
    constexpr int kThreshold = 128 * 1024;
    (void)mallopt(M_MMAP_THRESHOLD, kThreshold);
}

} // namespace sumiplex::platform
