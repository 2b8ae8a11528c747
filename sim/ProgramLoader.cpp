#include "sim/ProgramLoader.h"

#include <elf.h>
#include <random>

namespace sim {

namespace {

// Where a position-independent static program (static-pie) is placed.
constexpr uint64_t kPieBase = 0x10000000;

bool Fail(std::string& error, const std::string& message) {
    error = message;
    return false;
}

bool CheckHeader(const std::vector<uint8_t>& file, const Elf64_Ehdr& h, std::string& error) {
    if (file.size() < 4 || std::memcmp(file.data(), ELFMAG, SELFMAG) != 0)
        return Fail(error, "not an ELF file");
    if (file.size() < sizeof(Elf64_Ehdr))
        return Fail(error, "truncated ELF file (incomplete header)");
    if (h.e_ident[EI_CLASS] != ELFCLASS64 || h.e_ident[EI_DATA] != ELFDATA2LSB ||
        h.e_machine != EM_RISCV)
        return Fail(error, "not a 64-bit little-endian RISC-V program (wrong architecture)");
    if (h.e_type != ET_EXEC && h.e_type != ET_DYN)
        return Fail(error, "not an executable ELF file");
    if (h.e_phentsize != sizeof(Elf64_Phdr) || h.e_phnum == 0)
        return Fail(error, "malformed ELF file (bad program header table)");
    const uint64_t tableEnd = h.e_phoff + uint64_t{h.e_phnum} * sizeof(Elf64_Phdr);
    if (h.e_phoff > file.size() || tableEnd > file.size())
        return Fail(error, "truncated ELF file (program header table)");
    return true;
}

bool LoadSegment(const std::vector<uint8_t>& file, const Elf64_Phdr& ph, uint64_t bias,
                 GuestMemory& memory, std::string& error) {
    if (ph.p_filesz > ph.p_memsz)
        return Fail(error, "malformed ELF file (segment larger in the file than in memory)");
    if (ph.p_offset > file.size() || ph.p_filesz > file.size() - ph.p_offset)
        return Fail(error, "truncated ELF file (segment data missing)");
    const uint64_t address = ph.p_vaddr + bias;
    if (address < ph.p_vaddr || !GuestMemory::Contains(address, ph.p_memsz) ||
        address + ph.p_memsz > AddressSpace::kMmapBottom)
        return Fail(error, "ELF segment outside the simulated memory");
    memory.Write(address, file.data() + ph.p_offset, ph.p_filesz);
    memory.SetExecutable(address, ph.p_memsz, (ph.p_flags & PF_X) != 0);
    return true;
}

} // namespace

bool LoadElf(const std::vector<uint8_t>& file, GuestMemory& memory, LoadedProgram& program,
             std::string& error) {
    Elf64_Ehdr h{};
    if (!file.empty())
        std::memcpy(&h, file.data(), std::min(file.size(), sizeof h));
    if (!CheckHeader(file, h, error))
        return false;
    std::vector<Elf64_Phdr> headers(h.e_phnum);
    std::memcpy(headers.data(), file.data() + h.e_phoff, headers.size() * sizeof(Elf64_Phdr));
    for (const Elf64_Phdr& ph : headers)
        if (ph.p_type == PT_INTERP)
            return Fail(error, "dynamically linked program (only static programs can be run)");

    const uint64_t bias = h.e_type == ET_DYN ? kPieBase : 0;
    program = LoadedProgram{};
    program.entry = h.e_entry + bias;
    program.programHeaderCount = h.e_phnum;
    bool anyLoad = false;
    for (const Elf64_Phdr& ph : headers) {
        if (ph.p_type == PT_PHDR)
            program.programHeaders = ph.p_vaddr + bias;
        if (ph.p_type != PT_LOAD || ph.p_memsz == 0)
            continue;
        if (!LoadSegment(file, ph, bias, memory, error))
            return false;
        anyLoad = true;
        program.end = std::max(program.end, ph.p_vaddr + bias + ph.p_memsz);
        if (!program.programHeaders && h.e_phoff >= ph.p_offset &&
            h.e_phoff - ph.p_offset < ph.p_filesz)
            program.programHeaders = ph.p_vaddr + bias + (h.e_phoff - ph.p_offset);
    }
    if (!anyLoad)
        return Fail(error, "ELF file has nothing to load");
    return true;
}

namespace {

class StackWriter {
public:
    StackWriter(GuestMemory& memory, uint64_t top) : memory_(memory), sp_(top) {}
    uint64_t PushBytes(const void* data, uint64_t size) {
        sp_ -= size;
        memory_.Write(sp_, data, size);
        return sp_;
    }
    uint64_t PushString(const std::string& s) { return PushBytes(s.c_str(), s.size() + 1); }
    void Align(uint64_t alignment) { sp_ &= ~(alignment - 1); }
    uint64_t sp() const { return sp_; }
    void SetSp(uint64_t sp) { sp_ = sp; }

private:
    GuestMemory& memory_;
    uint64_t sp_;
};

constexpr uint64_t HardwareCapabilities() {
    uint64_t caps = 0;
    for (char c : {'I', 'M', 'A', 'F', 'D', 'C'})
        caps |= uint64_t{1} << (c - 'A');
    return caps;
}

} // namespace

uint64_t BuildInitialStack(GuestMemory& memory, const LoadedProgram& program,
                           const std::vector<std::string>& argv,
                           const std::vector<std::string>& envp,
                           const std::string& executablePath) {
    StackWriter stack(memory, AddressSpace::kStackTop);
    const uint64_t execfn = stack.PushString(executablePath);
    std::vector<uint64_t> argPointers, envPointers;
    for (const std::string& s : argv)
        argPointers.push_back(stack.PushString(s));
    for (const std::string& s : envp)
        envPointers.push_back(stack.PushString(s));
    // glibc reads 16 bytes at AT_RANDOM for its stack protector and pointer guard.
    uint8_t random[16];
    std::random_device device;
    for (uint8_t& b : random)
        b = static_cast<uint8_t>(device());
    stack.Align(16);
    const uint64_t randomAddress = stack.PushBytes(random, sizeof random);

    const std::vector<std::pair<uint64_t, uint64_t>> auxv = {
        {AT_PHDR, program.programHeaders},
        {AT_PHENT, sizeof(Elf64_Phdr)},
        {AT_PHNUM, program.programHeaderCount},
        {AT_PAGESZ, GuestMemory::kPageSize},
        {AT_BASE, 0},
        {AT_FLAGS, 0},
        {AT_ENTRY, program.entry},
        {AT_UID, getuid()},
        {AT_EUID, geteuid()},
        {AT_GID, getgid()},
        {AT_EGID, getegid()},
        {AT_HWCAP, HardwareCapabilities()},
        {AT_CLKTCK, 100},
        {AT_SECURE, 0},
        {AT_RANDOM, randomAddress},
        {AT_EXECFN, execfn},
        {AT_NULL, 0},
    };
    // argc, argv..., 0, envp..., 0, auxv pairs: the whole block 16-byte aligned at argc.
    const uint64_t words = 1 + argPointers.size() + 1 + envPointers.size() + 1 + 2 * auxv.size();
    stack.SetSp((stack.sp() - words * 8) & ~uint64_t{15});
    uint64_t at = stack.sp();
    auto put = [&](uint64_t value) {
        memory.Store<uint64_t>(at, value);
        at += 8;
    };
    put(argPointers.size());
    for (uint64_t p : argPointers)
        put(p);
    put(0);
    for (uint64_t p : envPointers)
        put(p);
    put(0);
    for (const auto& [type, value] : auxv) {
        put(type);
        put(value);
    }
    return stack.sp();
}

} // namespace sim
