#include "sim/CodeCache.h"

#include <functional>

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
    for (DecodedInstruction& end :
         {std::ref(page->slots[kSlotsPerPage]), std::ref(page->slots[kSlotsPerPage + 1])}) {
        end.op = Op::PageEnd;
        end.handler = HandlerOf(Op::PageEnd, false);
    }
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

bool CodeCache::DecodeRun(DecodedInstruction* slot, uint64_t pc) const {
    // Decoding ahead keeps every run exact: an instruction's successor in its block is always
    // decoded by the time the instruction is, so its run already includes the successor's.
    DecodedInstruction* chain[kSlotsPerPage];
    size_t count = 0;
    uint64_t index = (pc % GuestMemory::kPageSize) / 2;
    DecodedInstruction* s = slot;
    while (index < kSlotsPerPage && s->op == Op::NotDecoded) {
        if (!DecodeInto(*s, pc))
            break;
        chain[count++] = s;
        if (EndsBlock(s->op))
            break;
        index += s->length / 2;
        pc += s->length;
        s += s->length / 2;
    }
    if (count == 0)
        return false;
    // The first instruction not decoded here: its run continues ours unless ours ended the
    // block or it is no instruction (page end, not decodable).
    const DecodedInstruction* last = chain[count - 1];
    uint16_t run = 0;
    if (!EndsBlock(last->op) && index < kSlotsPerPage && s->op != Op::NotDecoded &&
        s->op != Op::PageEnd)
        run = s->run;
    for (size_t i = count; i-- > 0;)
        chain[i]->run = ++run;
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
