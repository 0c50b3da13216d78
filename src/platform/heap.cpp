#include "platform/heap.h"

#include <cstdlib> // defines __GLIBC__ where glibc is the C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace vqx {

void returnFreedMemory()
{
#if defined(__GLIBC__)
    // glibc keeps freed blocks for reuse; a large log's lines leave megabytes
    // behind that nothing else will ask for soon.
    malloc_trim(0);
#endif
}

} // namespace vqx
