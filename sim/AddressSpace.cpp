#include "sim/AddressSpace.h"

#include <iterator>

namespace sim {

AddressSpace::AddressSpace(GuestMemory& memory) : memory_(memory) {
    free_[kMmapBottom] = kMmapTop - kMmapBottom;
}

void AddressSpace::SetBrkStart(uint64_t address) {
    brkStart_ = brk_ = PageRound(address);
}

uint64_t AddressSpace::Brk(uint64_t requested) {
    if (requested < brkStart_ || requested > kMmapBottom)
        return brk_;
    if (requested < brk_)
        memory_.Discard(PageRound(requested), PageRound(brk_) - PageRound(requested));
    brk_ = requested;
    return brk_;
}

uint64_t AddressSpace::Map(uint64_t length) {
    length = PageRound(length);
    if (length == 0)
        return 0;
    // Top-down: the highest free range that fits, its top part.
    for (auto it = free_.rbegin(); it != free_.rend(); ++it) {
        if (it->second >= length) {
            const uint64_t address = it->first + it->second - length;
            Take(address, length);
            return address;
        }
    }
    return 0;
}

bool AddressSpace::MapFixed(uint64_t address, uint64_t length) {
    length = PageRound(length);
    if (address % GuestMemory::kPageSize || !GuestMemory::Contains(address, length))
        return false;
    memory_.Discard(address, length);
    Take(address, length);
    return true;
}

bool AddressSpace::Unmap(uint64_t address, uint64_t length) {
    length = PageRound(length);
    if (address % GuestMemory::kPageSize || length == 0 || !GuestMemory::Contains(address, length))
        return false;
    memory_.Discard(address, length);
    memory_.SetExecutable(address, length, false);
    Release(address, length);
    return true;
}

uint64_t AddressSpace::Remap(uint64_t address, uint64_t oldLength, uint64_t newLength,
                             bool mayMove) {
    oldLength = PageRound(oldLength);
    newLength = PageRound(newLength);
    if (address % GuestMemory::kPageSize || newLength == 0 ||
        !GuestMemory::Contains(address, oldLength))
        return 0;
    if (newLength <= oldLength) {
        Unmap(address + newLength, oldLength - newLength);
        return address;
    }
    if (IsFree(address + oldLength, newLength - oldLength)) {
        Take(address + oldLength, newLength - oldLength);
        return address;
    }
    if (!mayMove)
        return 0;
    const uint64_t moved = Map(newLength);
    if (moved == 0)
        return 0;
    std::memmove(memory_.Host(moved), memory_.Host(address), oldLength);
    Unmap(address, oldLength);
    return moved;
}

void AddressSpace::Take(uint64_t address, uint64_t length) {
    const uint64_t end = address + length;
    auto it = free_.upper_bound(address);
    if (it != free_.begin())
        --it;
    while (it != free_.end() && it->first < end) {
        const uint64_t start = it->first;
        const uint64_t stop = start + it->second;
        if (stop <= address) {
            ++it;
            continue;
        }
        it = free_.erase(it);
        if (start < address)
            free_[start] = address - start;
        if (stop > end)
            free_[end] = stop - end;
    }
}

void AddressSpace::Release(uint64_t address, uint64_t length) {
    // Only the mmap area is ever handed out again.
    uint64_t begin = std::max(address, kMmapBottom);
    uint64_t end = std::min(address + length, kMmapTop);
    if (begin >= end)
        return;
    Take(begin, end - begin); // drop any overlap so the map stays disjoint
    auto next = free_.lower_bound(begin);
    if (next != free_.end() && next->first == end) {
        end += next->second;
        free_.erase(next);
    }
    auto prev = free_.lower_bound(begin);
    if (prev != free_.begin()) {
        --prev;
        if (prev->first + prev->second == begin) {
            begin = prev->first;
            free_.erase(prev);
        }
    }
    free_[begin] = end - begin;
}

bool AddressSpace::IsFree(uint64_t address, uint64_t length) const {
    auto it = free_.upper_bound(address);
    if (it == free_.begin())
        return false;
    --it;
    return it->first <= address && it->first + it->second >= address + length;
}

} // namespace sim
