#pragma once
// Memory for large arrays that are written whole right after they are made (samples
// decoded from a file): elements are left uninitialised instead of being zero-filled
// first, and blocks of 2 MiB and more lie on large pages where the system offers
// them, so that filling hundreds of megabytes takes a few page faults instead of one
// per 4 KiB. Large blocks given back are kept a while for the next arrays of about
// their size (see BulkMemory.cpp). BulkVector<T> is a std::vector on this memory; its
// resize leaves new elements of trivial types uninitialised.

#include <cstddef>
#include <new>
#include <utility>
#include <vector>

namespace platform {

// Bytes from which a block goes on large pages.
inline constexpr std::size_t kLargePageBytes = std::size_t{2} << 20;

// Whether large blocks are mapped here (on large pages, and kept when given back for
// the next arrays). Not under AddressSanitizer: there every block comes from its
// allocator, so that it watches the bounds and lifetimes of these arrays too.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kKeepsLargeBlocks = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kKeepsLargeBlocks = false;
#else
inline constexpr bool kKeepsLargeBlocks = true;
#endif
#else
inline constexpr bool kKeepsLargeBlocks = true;
#endif

// A block of at least `bytes` bytes, aligned for any type; throws std::bad_alloc.
void* AllocateBulk(std::size_t bytes);
// Gives back a block of AllocateBulk with the size it was asked for.
void FreeBulk(void* block, std::size_t bytes) noexcept;

template <class T>
class BulkAllocator {
public:
    using value_type = T;

    BulkAllocator() = default;
    template <class U>
    BulkAllocator(const BulkAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t count)
    {
        if (count > static_cast<std::size_t>(-1) / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        return static_cast<T*>(AllocateBulk(count * sizeof(T)));
    }
    void deallocate(T* block, std::size_t count) noexcept { FreeBulk(block, count * sizeof(T)); }

    // Default-initialises: no zero-fill for trivial types.
    template <class U>
    void construct(U* at)
    {
        ::new (static_cast<void*>(at)) U;
    }
    template <class U, class... Args>
    void construct(U* at, Args&&... args)
    {
        ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }

    template <class U>
    bool operator==(const BulkAllocator<U>&) const noexcept
    {
        return true;
    }
};

template <class T>
using BulkVector = std::vector<T, BulkAllocator<T>>;

}  // namespace platform
