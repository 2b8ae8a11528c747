// Decoded instructions, by guest page: an instruction is decoded the first time it is reached
// and executed from its decoded form after that. A page holds one slot per 16-bit parcel
// (compressed and full-size instructions mix), plus two slots past its end that send fetch
// on to the next page.
#pragma once

#include "sim/DecodedInstruction.h"
#include "sim/GuestMemory.h"

#include <memory>
#include <vector>

namespace sim {

class CodeCache {
public:
    static constexpr uint64_t kSlotsPerPage = GuestMemory::kPageSize / 2;

    explicit CodeCache(const GuestMemory& memory);
    ~CodeCache();
    CodeCache(const CodeCache&) = delete;
    CodeCache& operator=(const CodeCache&) = delete;

    // The slot of pc, or null when pc is not in executable memory.
    DecodedInstruction* Lookup(uint64_t pc) {
        if (pc >= GuestMemory::kSize)
            return nullptr;
        Page* page = pages_[pc / GuestMemory::kPageSize];
        if (!page)
            page = Fill(pc);
        return page ? &page->slots[(pc % GuestMemory::kPageSize) / 2] : nullptr;
    }

    // Decodes the instruction at pc into its slot; false if its second half lies on a page
    // that cannot be executed.
    bool DecodeInto(DecodedInstruction& slot, uint64_t pc) const;

    // Decodes the instruction at pc (slot is Lookup(pc)) and those after it up to the end of
    // its basic block or its page, and gives each its run: the instructions left in the block
    // from it on. False if the first instruction cannot be fetched.
    bool DecodeRun(DecodedInstruction* slot, uint64_t pc) const;

    // Forgets every decoded instruction (fence.i, code unmapped or made non-executable).
    void Flush();

private:
    struct Page {
        DecodedInstruction slots[kSlotsPerPage + 2];
    };
    Page* Fill(uint64_t pc);

    const GuestMemory& memory_;
    std::unique_ptr<Page*[]> pages_;
    std::vector<uint64_t> filled_;
};

} // namespace sim
