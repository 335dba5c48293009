// Heap bytes a benchmark program holds, for the benchmarks that report
// memory rather than time: every allocation of the program is counted, a
// size header before each block letting delete subtract what new added.
// Included by one file of each benchmark program, as it replaces the
// program's operator new and delete.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> held{0};
std::atomic<std::size_t> peak{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Counted(std::size_t size) {
    void* block = std::malloc(size + kHeader);
    if (!block) throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    const std::size_t now = held += size;
    std::size_t before = peak.load();
    while (now > before && !peak.compare_exchange_weak(before, now)) {
    }
    return static_cast<char*>(block) + kHeader;
}

void Uncounted(void* pointer) {
    if (!pointer) return;
    char* block = static_cast<char*>(pointer) - kHeader;
    held -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return Counted(size); }
void* operator new[](std::size_t size) { return Counted(size); }
// The library's temporary buffers (std::stable_sort) ask without exceptions
// and give back through the plain delete: they must carry the header too.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Counted(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* pointer, const std::nothrow_t&) noexcept { Uncounted(pointer); }
void operator delete[](void* pointer, const std::nothrow_t&) noexcept { Uncounted(pointer); }
void operator delete(void* pointer) noexcept { Uncounted(pointer); }
void operator delete[](void* pointer) noexcept { Uncounted(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { Uncounted(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { Uncounted(pointer); }
