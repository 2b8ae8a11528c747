// Fuzzes the decoder and the interpreter together: the input is a page of guest code (and a
// few register values), run for a bounded number of instructions. Whatever the words are, the
// simulator must end with a result, never with a host fault or a sanitizer report.
#include "sim/CodeCache.h"
#include "sim/DecodedInstruction.h"
#include "sim/GuestMemory.h"
#include "sim/Hart.h"
#include "sim/Interpreter.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr uint64_t kCode = 0x10000;
constexpr uint64_t kData = 0x20000;
constexpr uint64_t kLimit = 20000;

// No host system calls from fuzzed code: exit ends the run, everything else fails with ENOSYS.
class RefusingSystem : public sim::SystemCallHandler {
public:
    sim::SyscallOutcome Call(sim::Hart& hart) override {
        sim::SyscallOutcome outcome;
        if (hart.x[17] == 93 || hart.x[17] == 94)
            outcome.kind = sim::SyscallOutcome::Kind::Exit;
        else
            hart.x[10] = static_cast<uint64_t>(-38);
        return outcome;
    }
};

class CountingListener : public sim::RetireListener {
public:
    void OnRetire(const sim::RetiredInstruction& r) override { sum += r.pc + r.value + r.address; }
    uint64_t sum = 0;
};

// Every decoded word agrees with its table row.
void CheckDecoder(uint32_t word) {
    const sim::DecodedInstruction d = sim::Decode(word);
    if (d.op != sim::Op::Illegal) {
        const sim::InstructionInfo& info = sim::InfoOf(d.op);
        if ((word & info.mask) != info.match)
            __builtin_trap();
    }
    const uint32_t expanded = sim::ExpandCompressed(static_cast<uint16_t>(word));
    if (expanded != 0 && (expanded & 3) != 3)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static sim::GuestMemory memory;
    static sim::CodeCache cache(memory);
    if (size < 1)
        return 0;
    for (size_t i = 0; i + 4 <= size; i += 2) {
        uint32_t word;
        std::memcpy(&word, data + i, 4);
        CheckDecoder(word);
    }

    cache.Flush();
    std::memset(memory.Host(kCode), 0, sim::GuestMemory::kPageSize);
    const size_t codeSize = std::min<size_t>(size - 1, sim::GuestMemory::kPageSize);
    std::memcpy(memory.Host(kCode), data + 1, codeSize);
    memory.SetExecutable(kCode, sim::GuestMemory::kPageSize, true);

    sim::Hart hart;
    hart.pc = kCode;
    hart.x[2] = kData + sim::GuestMemory::kPageSize; // a stack pointer into real memory
    for (int i = 10; i < 18; ++i)                    // arguments that point into memory
        hart.x[i] = kData + 64 * static_cast<uint64_t>(i);
    hart.frm = data[0] & 7;
    RefusingSystem system;
    CountingListener listener;
    sim::Interpreter interpreter(hart, memory, cache, system);
    if (data[0] & 8)
        interpreter.SetListener(&listener);
    const sim::RunResult result = interpreter.Run(kLimit);
    if (result.instructions > kLimit) {
        std::fprintf(stderr, "%llu instructions counted (limit %llu), stop %d: %s\n",
                     static_cast<unsigned long long>(result.instructions),
                     static_cast<unsigned long long>(kLimit), static_cast<int>(result.stop),
                     result.message.c_str());
        __builtin_trap();
    }
    return 0;
}
