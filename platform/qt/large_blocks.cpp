#include "platform/qt/large_blocks.h"

#include <cstddef> // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace coilrun::qt {

void returnLargeBlocksToTheSystem() {
#if defined(__GLIBC__)
    // The C library's own starting threshold; setting it turns off the raising.
    constexpr int kMapThreshold = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, kMapThreshold);
#endif
}

} // namespace coilrun::qt
