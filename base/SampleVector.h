#pragma once

#include <QtGlobal>

#include <cstddef>
#include <memory>
#include <vector>

/// Asks the system to back a large block with huge pages: an hour of samples then costs a few
/// hundred page faults instead of over a hundred thousand. Does nothing for small blocks or
/// where the system has no such hint.
void AdviseHugePages(void* block, std::size_t bytes);

/// An allocator whose value-less construction leaves the element uninitialised, so that
/// growing a channel array to hold an hour of samples does not first write an hour of zeros
/// that the reader overwrites at once; large arrays ask for huge pages.
template <typename T> class DefaultInitAllocator : public std::allocator<T> {
public:
    template <typename U> struct rebind { using other = DefaultInitAllocator<U>; };

    DefaultInitAllocator() = default;
    template <typename U> DefaultInitAllocator(const DefaultInitAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        T* block = std::allocator<T>::allocate(n);
        AdviseHugePages(block, n * sizeof(T));
        return block;
    }

    template <typename U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <typename U, typename... Args> void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

/// One channel's 16-bit samples, one per frame.
using SampleVector = std::vector<qint16, DefaultInitAllocator<qint16>>;
