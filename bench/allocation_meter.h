#pragma once

#include <cstddef>

namespace tavrin::bench {

// Heap bytes in use and the most in use since the last reset, counted by the
// benchmark program's own operator new and delete.
std::size_t HeapInUse();
std::size_t HeapPeak();
void ResetHeapPeak();

}  // namespace tavrin::bench
