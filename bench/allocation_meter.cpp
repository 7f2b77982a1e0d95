#include "allocation_meter.h"

#include <cstdlib>
#include <new>

namespace {

std::size_t g_inUse = 0;
std::size_t g_peak = 0;

// Each block carries its size in front, so that delete knows what it frees.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    *reinterpret_cast<std::size_t*>(block) = size;
    g_inUse += size;
    if (g_inUse > g_peak) {
        g_peak = g_inUse;
    }
    return block + kHeader;
}

void Release(void* pointer) noexcept {
    if (pointer == nullptr) {
        return;
    }
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    g_inUse -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* pointer) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer) noexcept {
    Release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    Release(pointer);
}

namespace tavrin::bench {

std::size_t HeapInUse() {
    return g_inUse;
}
std::size_t HeapPeak() {
    return g_peak;
}
void ResetHeapPeak() {
    g_peak = g_inUse;
}

}  // namespace tavrin::bench
