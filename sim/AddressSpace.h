// Where things live in the guest's memory, and the bookkeeping behind brk and mmap: the
// program's segments low, the brk heap above them, mmap regions handed out top-down below
// the stack, as Linux does.
#pragma once

#include "sim/GuestMemory.h"

#include <cstdint>
#include <map>

namespace sim {

class AddressSpace {
public:
    static constexpr uint64_t kStackTop = GuestMemory::kSize - GuestMemory::kPageSize;
    static constexpr uint64_t kStackSize = 8 << 20;
    static constexpr uint64_t kMmapTop = kStackTop - kStackSize - (1 << 20);
    static constexpr uint64_t kMmapBottom = 0x40000000;

    explicit AddressSpace(GuestMemory& memory);

    void SetBrkStart(uint64_t address);
    // Linux brk: moves the break when it can, always answers the current break.
    uint64_t Brk(uint64_t requested);

    // Reserves length bytes (rounded to pages) anywhere free; 0 when nothing fits.
    uint64_t Map(uint64_t length);
    // Takes [address, address+length) whatever was there (MAP_FIXED); false out of range.
    bool MapFixed(uint64_t address, uint64_t length);
    // Frees and zeroes the range; false if it is not a page-aligned range of guest memory.
    bool Unmap(uint64_t address, uint64_t length);
    // Grows or shrinks a mapping, moving it when it cannot grow in place; 0 on failure.
    uint64_t Remap(uint64_t address, uint64_t oldLength, uint64_t newLength, bool mayMove);

    static uint64_t PageRound(uint64_t length) {
        return (length + GuestMemory::kPageSize - 1) & ~(GuestMemory::kPageSize - 1);
    }

private:
    void Release(uint64_t address, uint64_t length);
    void Take(uint64_t address, uint64_t length);
    bool IsFree(uint64_t address, uint64_t length) const;

    GuestMemory& memory_;
    uint64_t brkStart_ = 0;
    uint64_t brk_ = 0;
    std::map<uint64_t, uint64_t> free_; // start -> length, disjoint, coalesced
};

} // namespace sim
