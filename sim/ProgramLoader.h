// Puts a statically linked riscv64 Linux ELF program into guest memory and lays out its
// initial stack (argc, argv, envp and the auxiliary vector that static glibc reads).
#pragma once

#include "sim/AddressSpace.h"
#include "sim/GuestMemory.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct LoadedProgram {
    uint64_t entry = 0;
    uint64_t programHeaders = 0; // guest address of the program header table
    uint64_t programHeaderCount = 0;
    uint64_t end = 0; // first byte past the highest segment: where brk starts
};

// Loads the ELF image held in file. Returns false with a message naming what is wrong (not
// an ELF file, another architecture, dynamically linked, truncated, ...).
bool LoadElf(const std::vector<uint8_t>& file, GuestMemory& memory, LoadedProgram& program,
             std::string& error);

// Builds the initial stack below AddressSpace::kStackTop and answers the stack pointer.
// executablePath is what the kernel would put at AT_EXECFN (the path as given).
uint64_t BuildInitialStack(GuestMemory& memory, const LoadedProgram& program,
                           const std::vector<std::string>& argv,
                           const std::vector<std::string>& envp, const std::string& executablePath);

} // namespace sim
