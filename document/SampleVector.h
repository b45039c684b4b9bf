#pragma once

#include <QtGlobal>

#include <memory>
#include <vector>

/// An allocator whose value-less construction leaves the element uninitialised, so that
/// growing a channel array to hold an hour of samples does not first write an hour of zeros
/// that the reader overwrites at once.
template <typename T> class DefaultInitAllocator : public std::allocator<T> {
public:
    template <typename U> struct rebind { using other = DefaultInitAllocator<U>; };

    DefaultInitAllocator() = default;
    template <typename U> DefaultInitAllocator(const DefaultInitAllocator<U>&) noexcept {}

    template <typename U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <typename U, typename... Args> void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

/// One channel's 16-bit samples, one per frame.
using SampleVector = std::vector<qint16, DefaultInitAllocator<qint16>>;
