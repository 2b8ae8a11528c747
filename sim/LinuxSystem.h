// The Linux system calls of a riscv64 user program, carried out on the host. Guest memory is
// checked before the host touches it (a bad pointer is EFAULT, as under Linux), guest
// structures are converted field by field where riscv64 lays them out differently from the
// host, and guest descriptors go through the FileTable.
#pragma once

#include "sim/AddressSpace.h"
#include "sim/CodeCache.h"
#include "sim/FileTable.h"
#include "sim/GuestMemory.h"
#include "sim/SystemCallHandler.h"

#include <cstdint>
#include <string>

namespace sim {

struct SyscallArgs {
    uint64_t a[6];
};

class LinuxSystem : public SystemCallHandler {
public:
    // executablePath: what /proc/self/exe answers (the guest program's absolute path).
    LinuxSystem(GuestMemory& memory, AddressSpace& space, CodeCache& cache,
                std::string executablePath);

    FileTable& Files() { return files_; }
    SyscallOutcome Call(Hart& hart) override;

    // The riscv64 name of a system call number, or null when it has none here.
    static const char* NameOf(uint64_t number);

private:
    using Handler = int64_t (LinuxSystem::*)(const SyscallArgs&);
    struct Entry {
        uint64_t number;
        Handler handler;
    };
    static const Entry* Find(uint64_t number);

    int HostFd(uint64_t guestFd) const { return files_.Host(static_cast<int>(guestFd)); }
    int HostDirFd(uint64_t guestFd) const;
    bool GuestPath(uint64_t address, std::string& path) const;

    template <typename Transfer> int64_t TransferBuffer(const SyscallArgs& a, Transfer transfer);
    template <typename Transfer> int64_t TransferVector(const SyscallArgs& a, Transfer transfer);
    int64_t Read(const SyscallArgs& a);
    int64_t Write(const SyscallArgs& a);
    int64_t Pread(const SyscallArgs& a);
    int64_t Pwrite(const SyscallArgs& a);
    int64_t Readv(const SyscallArgs& a);
    int64_t Writev(const SyscallArgs& a);
    int64_t Openat(const SyscallArgs& a);
    int64_t Close(const SyscallArgs& a);
    int64_t Lseek(const SyscallArgs& a);
    int64_t Newfstatat(const SyscallArgs& a);
    int64_t Fstat(const SyscallArgs& a);
    int64_t Unlinkat(const SyscallArgs& a);
    int64_t Mkdirat(const SyscallArgs& a);
    int64_t Renameat(const SyscallArgs& a);
    int64_t Renameat2(const SyscallArgs& a);
    int64_t Faccessat(const SyscallArgs& a);
    int64_t Faccessat2(const SyscallArgs& a);
    int64_t Readlinkat(const SyscallArgs& a);
    int64_t Getcwd(const SyscallArgs& a);
    int64_t Chdir(const SyscallArgs& a);
    int64_t Dup(const SyscallArgs& a);
    int64_t Dup3(const SyscallArgs& a);
    int64_t Fcntl(const SyscallArgs& a);
    int64_t Ioctl(const SyscallArgs& a);
    int64_t Ftruncate(const SyscallArgs& a);
    int64_t Fsync(const SyscallArgs& a);
    int64_t Getdents64(const SyscallArgs& a);
    int64_t Brk(const SyscallArgs& a);
    int64_t Mmap(const SyscallArgs& a);
    int64_t Munmap(const SyscallArgs& a);
    int64_t Mremap(const SyscallArgs& a);
    int64_t Mprotect(const SyscallArgs& a);
    int64_t Madvise(const SyscallArgs& a);
    int64_t FlushIcache(const SyscallArgs& a);
    int64_t ClockGettime(const SyscallArgs& a);
    int64_t ClockGetres(const SyscallArgs& a);
    int64_t Gettimeofday(const SyscallArgs& a);
    int64_t Nanosleep(const SyscallArgs& a);
    int64_t ClockNanosleep(const SyscallArgs& a);
    int64_t Uname(const SyscallArgs& a);
    int64_t Getrandom(const SyscallArgs& a);
    int64_t Prlimit64(const SyscallArgs& a);
    int64_t Getrlimit(const SyscallArgs& a);
    int64_t Getrusage(const SyscallArgs& a);
    int64_t Times(const SyscallArgs& a);
    int64_t Sysinfo(const SyscallArgs& a);
    int64_t RtSigaction(const SyscallArgs& a);
    int64_t RtSigprocmask(const SyscallArgs& a);
    int64_t SetTidAddress(const SyscallArgs& a);
    int64_t Futex(const SyscallArgs& a);
    int64_t Getpid(const SyscallArgs& a);
    int64_t Getppid(const SyscallArgs& a);
    int64_t Getuid(const SyscallArgs& a);
    int64_t Geteuid(const SyscallArgs& a);
    int64_t Getgid(const SyscallArgs& a);
    int64_t Getegid(const SyscallArgs& a);
    int64_t Zero(const SyscallArgs& a);
    int64_t NotImplemented(const SyscallArgs& a);
    int64_t SignalSelf(const SyscallArgs& a);

    static const Entry kTable[];

    GuestMemory& memory_;
    AddressSpace& space_;
    CodeCache& cache_;
    FileTable files_;
    std::string executablePath_;
    // Set by the calls that end the program.
    bool exiting_ = false;
    int exitStatus_ = 0;
    std::string fatal_;
};

} // namespace sim
