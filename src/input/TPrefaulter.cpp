#include "TPrefaulter.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <system_error>

namespace {

constexpr std::size_t ChunkBytes = std::size_t(2) << 20; // one madvise call
constexpr std::size_t MinBytes = std::size_t(16) << 20;  // below this a thread does not pay

#ifdef MADV_HUGEPAGE
constexpr std::uintptr_t HugePageBytes = std::uintptr_t(2) << 20;

// Asks for 2 MiB pages where whole ones fit in the buffer: one fault and one
// page-table entry per 2 MiB instead of 512, which halves the time a large
// photo takes to decode. The kernel may refuse; small pages then serve.
void PreferHugePages(std::uintptr_t begin, std::uintptr_t end)
{
    const std::uintptr_t first = (begin + HugePageBytes - 1) / HugePageBytes * HugePageBytes;
    const std::uintptr_t last = end / HugePageBytes * HugePageBytes;
    if (first < last)
        madvise(reinterpret_cast<void *>(first), last - first, MADV_HUGEPAGE);
}
#endif

} // namespace

TPrefaulter::TPrefaulter(void *buffer, std::size_t bytes)
{
#ifdef MADV_POPULATE_WRITE
    if (bytes < MinBytes)
        return;
    // madvise wants whole pages: the partial pages at both ends are left to the writer.
    const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<std::uintptr_t>(buffer) + page - 1) / page * page;
    const auto end = (reinterpret_cast<std::uintptr_t>(buffer) + bytes) / page * page;
#ifdef MADV_HUGEPAGE
    PreferHugePages(begin, end);
#endif
    try {
        FThread = std::thread([this, begin, end] {
            for (std::uintptr_t at = begin; at < end && !FStop.load(std::memory_order_relaxed); at += ChunkBytes)
                if (madvise(reinterpret_cast<void *>(at), std::min<std::uintptr_t>(ChunkBytes, end - at),
                            MADV_POPULATE_WRITE) != 0)
                    return;
        });
    } catch (const std::system_error &) {
        // No thread to be had: the writer faults the pages in itself.
    }
#else
    (void)buffer;
    (void)bytes;
#endif
}

TPrefaulter::~TPrefaulter()
{
    FStop = true;
    if (FThread.joinable())
        FThread.join();
}
