#include "sim/GuestMemory.h"

#include <stdexcept>
#include <sys/mman.h>

namespace sim {

namespace {
// Room past the end so that an 8-byte access that starts in bounds never leaves the mapping.
constexpr uint64_t kGuard = GuestMemory::kPageSize;
} // namespace

GuestMemory::GuestMemory() : executable_(kPageCount, 0) {
    void* p = mmap(nullptr, kSize + kGuard, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (p == MAP_FAILED)
        throw std::runtime_error("cannot reserve the guest's memory");
    base_ = static_cast<uint8_t*>(p);
}

GuestMemory::~GuestMemory() {
    munmap(base_, kSize + kGuard);
}

bool GuestMemory::Read(uint64_t address, void* out, uint64_t size) const {
    if (size == 0)
        return true;
    if (!Contains(address, size))
        return false;
    std::memcpy(out, base_ + address, size);
    return true;
}

bool GuestMemory::Write(uint64_t address, const void* in, uint64_t size) {
    if (size == 0)
        return true;
    if (!Contains(address, size))
        return false;
    std::memcpy(base_ + address, in, size);
    return true;
}

bool GuestMemory::ReadString(uint64_t address, std::string& out, uint64_t maxLength) const {
    out.clear();
    for (uint64_t i = 0; i <= maxLength; ++i) {
        if (!Contains(address + i, 1))
            return false;
        const char c = static_cast<char>(base_[address + i]);
        if (c == '\0')
            return true;
        out.push_back(c);
    }
    return false;
}

void GuestMemory::Discard(uint64_t address, uint64_t size) {
    const uint64_t begin = address & ~(kPageSize - 1);
    const uint64_t end = (address + size + kPageSize - 1) & ~(kPageSize - 1);
    if (begin >= end || end > kSize)
        return;
    madvise(base_ + begin, end - begin, MADV_DONTNEED);
}

void GuestMemory::SetExecutable(uint64_t address, uint64_t size, bool executable) {
    if (size == 0)
        return;
    const uint64_t first = address / kPageSize;
    const uint64_t last = (address + size - 1) / kPageSize;
    for (uint64_t p = first; p <= last && p < kPageCount; ++p)
        executable_[p] = executable ? 1 : 0;
}

} // namespace sim
