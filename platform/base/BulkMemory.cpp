#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "platform/base/BulkAllocator.h"

namespace platform {
namespace {

std::size_t LargeBlockSize(std::size_t bytes)
{
    return (bytes + kLargePageBytes - 1) / kLargePageBytes * kLargePageBytes;
}

// Large blocks mapped on their own, aligned to a large page.
void* MapLarge(std::size_t size)
{
    const std::size_t span = size + kLargePageBytes;
    void* mapped = ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kLargePageBytes - 1) / kLargePageBytes * kLargePageBytes;
    if (aligned > start) {
        ::munmap(mapped, aligned - start);
    }
    const std::uintptr_t end = start + span;
    if (end > aligned + size) {
        ::munmap(reinterpret_cast<void*>(aligned + size), end - (aligned + size));
    }
#ifdef MADV_HUGEPAGE
    ::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void*>(aligned);
}

// Large blocks given back lately, kept for the next arrays of about their size (the
// next record of a series the user steps through): taking one back costs no page
// faults and no clearing. Their pages are handed to the system as free-when-needed,
// so kept blocks count as available memory and the system takes them back under
// pressure (a page it took comes back cleared).
class KeptBlocks {
public:
    void* Take(std::size_t size)
    {
        const std::lock_guard lock(m_lock);
        auto best = m_blocks.end();
        for (auto it = m_blocks.begin(); it != m_blocks.end(); ++it) {
            if (it->size >= size && it->size <= 2 * size && (best == m_blocks.end() || it->size < best->size)) {
                best = it;
            }
        }
        if (best == m_blocks.end()) {
            return nullptr;
        }
        void* block = best->block;
        m_bytes -= best->size;
        m_blocks.erase(best);
        return block;
    }

    // False when the block is not kept (the caller unmaps it).
    bool Keep(void* block, std::size_t size)
    {
        const std::lock_guard lock(m_lock);
        if (m_blocks.size() >= kMostBlocks || m_bytes + size > MostBytes()) {
            return false;
        }
#ifdef MADV_FREE
        if (::madvise(block, size, MADV_FREE) != 0) {
            return false;
        }
#else
        return false;
#endif
        m_blocks.push_back({block, size});
        m_bytes += size;
        return true;
    }

private:
    static constexpr std::size_t kMostBlocks = 16;
    // An eighth of the machine's memory.
    static std::size_t MostBytes()
    {
        static const std::size_t most = [] {
            const long pages = ::sysconf(_SC_PHYS_PAGES);
            const long pageSize = ::sysconf(_SC_PAGESIZE);
            return pages > 0 && pageSize > 0 ? static_cast<std::size_t>(pages) * static_cast<std::size_t>(pageSize) / 8
                                             : std::size_t{0};
        }();
        return most;
    }

    struct Block {
        void* block;
        std::size_t size;
    };
    std::mutex m_lock;
    std::vector<Block> m_blocks;
    std::size_t m_bytes = 0;
};

KeptBlocks& Kept()
{
    static KeptBlocks* kept = new KeptBlocks;  // outlives every static array that gives blocks back
    return *kept;
}

}  // namespace

void* AllocateBulk(std::size_t bytes)
{
    if (bytes < kLargePageBytes || !kKeepsLargeBlocks) {
        void* block = std::malloc(bytes == 0 ? 1 : bytes);
        if (block == nullptr) {
            throw std::bad_alloc();
        }
        return block;
    }
    if (bytes > static_cast<std::size_t>(-1) / 2) {
        throw std::bad_alloc();
    }
    const std::size_t size = LargeBlockSize(bytes);
    if (void* block = Kept().Take(size)) {
        return block;
    }
    return MapLarge(size);
}

void FreeBulk(void* block, std::size_t bytes) noexcept
{
    if (block == nullptr) {
        return;
    }
    if (bytes < kLargePageBytes || !kKeepsLargeBlocks) {
        std::free(block);
        return;
    }
    const std::size_t size = LargeBlockSize(bytes);
    if (!Kept().Keep(block, size)) {
        ::munmap(block, size);
    }
}

}  // namespace platform
