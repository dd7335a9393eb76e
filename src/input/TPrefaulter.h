#pragma once

#include <atomic>
#include <cstddef>
#include <thread>

// Faults in the pages of a freshly allocated buffer on a helper thread while
// the caller fills the buffer from its start (a decoder writing rows). Fresh
// memory costs the kernel a page fault and a page clearing per 4 KiB; done
// alongside the decoder, that time no longer adds to the load. The pages'
// contents are never touched (MADV_POPULATE_WRITE), so the race with the
// writer is harmless; where the kernel lacks that advice the thread simply
// stops and the writer faults the pages in itself. The buffer is asked to be
// backed by 2 MiB pages where the kernel offers them. The destructor stops and
// joins the thread: destroy the prefaulter before the buffer.
class TPrefaulter
{
public:
    TPrefaulter(void *buffer, std::size_t bytes);
    ~TPrefaulter();
    TPrefaulter(const TPrefaulter &) = delete;
    TPrefaulter &operator=(const TPrefaulter &) = delete;

private:
    std::atomic<bool> FStop{false};
    std::thread FThread;
};
