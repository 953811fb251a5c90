// Heap allocations counted at the C allocator: the executable's malloc family
// takes precedence over the C library's for every module, operator new
// included, and forwards to the C library's own entry points.
#include "allocation_count.h"

#include <cstddef>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void __libc_free(void* block);
}

static unsigned long allocations;

unsigned long AllocationCount() { return allocations; }

extern "C" void* malloc(size_t size)
{
    ++allocations;
    return __libc_malloc(size);
}

extern "C" void* calloc(size_t count, size_t size)
{
    ++allocations;
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* block, size_t size)
{
    ++allocations;
    return __libc_realloc(block, size);
}

extern "C" void free(void* block) { __libc_free(block); }
