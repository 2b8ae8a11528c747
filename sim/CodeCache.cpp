#include "sim/CodeCache.h"

namespace sim {

CodeCache::CodeCache(const GuestMemory& memory)
    : memory_(memory), pages_(new Page*[GuestMemory::kPageCount]()) {}

CodeCache::~CodeCache() {
    Flush();
}

CodeCache::Page* CodeCache::Fill(uint64_t pc) {
    if (pc >= GuestMemory::kSize || !memory_.IsExecutable(pc) || !GuestMemory::Contains(pc, 2))
        return nullptr;
    Page* page = new Page();
    page->slots[kSlotsPerPage].op = Op::PageEnd;
    page->slots[kSlotsPerPage + 1].op = Op::PageEnd;
    pages_[pc / GuestMemory::kPageSize] = page;
    filled_.push_back(pc / GuestMemory::kPageSize);
    return page;
}

bool CodeCache::DecodeInto(DecodedInstruction& slot, uint64_t pc) const {
    const uint16_t low = memory_.Load<uint16_t>(pc);
    uint16_t high = 0;
    if ((low & 3) == 3) {
        if (!memory_.IsExecutable(pc + 2) || !GuestMemory::Contains(pc + 2, 2))
            return false;
        high = memory_.Load<uint16_t>(pc + 2);
    }
    slot = DecodeParcels(low, high);
    return true;
}

void CodeCache::Flush() {
    for (uint64_t index : filled_) {
        delete pages_[index];
        pages_[index] = nullptr;
    }
    filled_.clear();
}

} // namespace sim
