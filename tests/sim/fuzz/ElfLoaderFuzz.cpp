// Fuzzes the ELF loader and the initial stack: any file must be loaded or refused with a
// message, never crash the simulator.
#include "sim/GuestMemory.h"
#include "sim/ProgramLoader.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static sim::GuestMemory memory;
    const std::vector<uint8_t> file(data, data + size);
    sim::LoadedProgram program;
    std::string error;
    if (!sim::LoadElf(file, memory, program, error)) {
        if (error.empty())
            __builtin_trap(); // a refusal always says why
        return 0;
    }
    sim::BuildInitialStack(memory, program, {"fuzzed.ss", "argument"}, {"A=1"}, "fuzzed.ss");
    return 0;
}
