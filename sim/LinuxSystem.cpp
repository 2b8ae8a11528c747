#include "sim/LinuxSystem.h"

#include "sim/HexText.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <sys/random.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysinfo.h>
#include <sys/times.h>
#include <sys/uio.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <vector>

namespace sim {

namespace {

constexpr int64_t kGuestAtFdcwd = -100;
// A single transfer is capped so that a guest cannot make the host allocate without bound.
constexpr uint64_t kMaxTransfer = 1 << 30;

int64_t Result(int64_t hostResult) {
    return hostResult < 0 ? -errno : hostResult;
}

// struct stat as riscv64 Linux lays it out (asm-generic): 128 bytes.
struct GuestStat {
    uint64_t dev, ino;
    uint32_t mode, nlink, uid, gid;
    uint64_t rdev, pad1;
    int64_t size;
    int32_t blksize, pad2;
    int64_t blocks;
    int64_t atime, atimeNsec, mtime, mtimeNsec, ctime, ctimeNsec;
    uint32_t unused4, unused5;
};
static_assert(sizeof(GuestStat) == 128);

GuestStat ToGuest(const struct stat& s) {
    GuestStat g{};
    g.dev = s.st_dev;
    g.ino = s.st_ino;
    g.mode = s.st_mode;
    g.nlink = static_cast<uint32_t>(s.st_nlink);
    g.uid = s.st_uid;
    g.gid = s.st_gid;
    g.rdev = s.st_rdev;
    g.size = s.st_size;
    g.blksize = static_cast<int32_t>(s.st_blksize);
    g.blocks = s.st_blocks;
    g.atime = s.st_atim.tv_sec;
    g.atimeNsec = s.st_atim.tv_nsec;
    g.mtime = s.st_mtim.tv_sec;
    g.mtimeNsec = s.st_mtim.tv_nsec;
    g.ctime = s.st_ctim.tv_sec;
    g.ctimeNsec = s.st_ctim.tv_nsec;
    return g;
}

struct GuestTimespec {
    int64_t sec, nsec;
};

// The open flags the guest may pass; riscv64 and x86-64 share the asm-generic values.
constexpr int kOpenFlags = O_ACCMODE | O_CREAT | O_EXCL | O_NOCTTY | O_TRUNC | O_APPEND |
                           O_NONBLOCK | O_DSYNC | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC | O_SYNC |
                           O_PATH | O_TMPFILE | O_LARGEFILE;

} // namespace

LinuxSystem::LinuxSystem(GuestMemory& memory, AddressSpace& space, CodeCache& cache,
                         std::string executablePath)
    : memory_(memory), space_(space), cache_(cache), executablePath_(std::move(executablePath)) {}

SyscallOutcome LinuxSystem::Call(Hart& hart) {
    const uint64_t number = hart.x[17];
    SyscallArgs args;
    for (int i = 0; i < 6; ++i)
        args.a[i] = hart.x[10 + i];
    SyscallOutcome outcome;
    if (number == 93 || number == 94) { // exit, exit_group: one thread, so the same
        outcome.kind = SyscallOutcome::Kind::Exit;
        outcome.status = static_cast<int>(args.a[0] & 0xFF);
        return outcome;
    }
    const Entry* entry = Find(number);
    if (!entry) {
        const char* name = NameOf(number);
        outcome.kind = SyscallOutcome::Kind::Fatal;
        outcome.message = "unknown system call " + std::to_string(number) +
                          (name ? std::string(" (") + name + ")" : std::string()) + " at pc " +
                          HexText(hart.pc);
        return outcome;
    }
    const int64_t value = (this->*(entry->handler))(args);
    if (exiting_) {
        outcome.kind = SyscallOutcome::Kind::Exit;
        outcome.status = exitStatus_;
        outcome.message = fatal_;
        return outcome;
    }
    hart.x[10] = static_cast<uint64_t>(value);
    return outcome;
}

int LinuxSystem::HostDirFd(uint64_t guestFd) const {
    if (static_cast<int64_t>(guestFd) == kGuestAtFdcwd ||
        static_cast<int32_t>(guestFd) == kGuestAtFdcwd)
        return AT_FDCWD;
    const int host = HostFd(guestFd);
    return host < 0 ? -2 : host; // -2: no such descriptor; never AT_FDCWD by accident
}

bool LinuxSystem::GuestPath(uint64_t address, std::string& path) const {
    return memory_.ReadString(address, path, PATH_MAX);
}

// The four plain transfers share their checks: a0 the guest descriptor, a1 the guest buffer,
// a2 its size (capped), a3 the offset of the positioned ones.
template <typename Transfer>
int64_t LinuxSystem::TransferBuffer(const SyscallArgs& a, Transfer transfer) {
    const int fd = HostFd(a.a[0]);
    if (fd < 0)
        return -EBADF;
    const uint64_t size = std::min(a.a[2], kMaxTransfer);
    if (!GuestMemory::Contains(a.a[1], size) && size)
        return -EFAULT;
    return Result(transfer(fd, memory_.Host(a.a[1]), size));
}

int64_t LinuxSystem::Read(const SyscallArgs& a) {
    return TransferBuffer(a,
                          [](int fd, void* buffer, size_t size) { return read(fd, buffer, size); });
}

int64_t LinuxSystem::Write(const SyscallArgs& a) {
    return TransferBuffer(
        a, [](int fd, void* buffer, size_t size) { return write(fd, buffer, size); });
}

int64_t LinuxSystem::Pread(const SyscallArgs& a) {
    const off_t offset = static_cast<off_t>(a.a[3]);
    return TransferBuffer(
        a, [offset](int fd, void* buffer, size_t size) { return pread(fd, buffer, size, offset); });
}

int64_t LinuxSystem::Pwrite(const SyscallArgs& a) {
    const off_t offset = static_cast<off_t>(a.a[3]);
    return TransferBuffer(a, [offset](int fd, void* buffer, size_t size) {
        return pwrite(fd, buffer, size, offset);
    });
}

namespace {
// Reads a guest iovec array into host iovecs pointing into guest memory; false: EFAULT.
bool HostIovecs(const GuestMemory& memory, uint64_t address, uint64_t count,
                std::vector<iovec>& out) {
    if (count > IOV_MAX)
        return false;
    for (uint64_t i = 0; i < count; ++i) {
        uint64_t entry[2];
        if (!memory.Read(address + 16 * i, entry, sizeof entry))
            return false;
        if (entry[1] && !GuestMemory::Contains(entry[0], entry[1]))
            return false;
        out.push_back({memory.Host(entry[0]), entry[1]});
    }
    return true;
}
} // namespace

// readv and writev share their checks: a0 the guest descriptor, a1 the guest iovec array, a2
// its length.
template <typename Transfer>
int64_t LinuxSystem::TransferVector(const SyscallArgs& a, Transfer transfer) {
    const int fd = HostFd(a.a[0]);
    if (fd < 0)
        return -EBADF;
    std::vector<iovec> iov;
    if (a.a[2] > IOV_MAX)
        return -EINVAL;
    if (!HostIovecs(memory_, a.a[1], a.a[2], iov))
        return -EFAULT;
    return Result(transfer(fd, iov.data(), static_cast<int>(iov.size())));
}

int64_t LinuxSystem::Readv(const SyscallArgs& a) {
    return TransferVector(a, [](int fd, const iovec* iov, int n) { return readv(fd, iov, n); });
}

int64_t LinuxSystem::Writev(const SyscallArgs& a) {
    return TransferVector(a, [](int fd, const iovec* iov, int n) { return writev(fd, iov, n); });
}

int64_t LinuxSystem::Openat(const SyscallArgs& a) {
    std::string path;
    if (!GuestPath(a.a[1], path))
        return -EFAULT;
    const int dir = HostDirFd(a.a[0]);
    const int flags = (static_cast<int>(a.a[2]) & kOpenFlags) | O_CLOEXEC;
    int fd;
    if (path == "/proc/self/exe")
        fd = open(executablePath_.c_str(), flags);
    else
        fd = openat(dir, path.c_str(), flags, static_cast<mode_t>(a.a[3]));
    if (fd < 0)
        return -errno;
    const int guest = files_.Add(fd);
    return guest < 0 ? -EMFILE : guest;
}

int64_t LinuxSystem::Close(const SyscallArgs& a) {
    return files_.Close(static_cast<int>(a.a[0])) ? 0 : -EBADF;
}

int64_t LinuxSystem::Lseek(const SyscallArgs& a) {
    const int fd = HostFd(a.a[0]);
    if (fd < 0)
        return -EBADF;
    return Result(lseek(fd, static_cast<off_t>(a.a[1]), static_cast<int>(a.a[2])));
}

int64_t LinuxSystem::Newfstatat(const SyscallArgs& a) {
    std::string path;
    if (!GuestPath(a.a[1], path))
        return -EFAULT;
    const int flags =
        static_cast<int>(a.a[3]) & (AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT);
    int dir = HostDirFd(a.a[0]);
    if (path.empty() && !(flags & AT_EMPTY_PATH))
        return -ENOENT;
    struct stat s;
    if (fstatat(dir, path.c_str(), &s, flags) < 0)
        return -errno;
    const GuestStat g = ToGuest(s);
    return memory_.Write(a.a[2], &g, sizeof g) ? 0 : -EFAULT;
}

int64_t LinuxSystem::Fstat(const SyscallArgs& a) {
    const int fd = HostFd(a.a[0]);
    if (fd < 0)
        return -EBADF;
    struct stat s;
    if (fstat(fd, &s) < 0)
        return -errno;
    const GuestStat g = ToGuest(s);
    return memory_.Write(a.a[1], &g, sizeof g) ? 0 : -EFAULT;
}

int64_t LinuxSystem::Unlinkat(const SyscallArgs& a) {
    std::string path;
    if (!GuestPath(a.a[1], path))
        return -EFAULT;
    return Result(
        unlinkat(HostDirFd(a.a[0]), path.c_str(), static_cast<int>(a.a[2]) & AT_REMOVEDIR));
}

int64_t LinuxSystem::Mkdirat(const SyscallArgs& a) {
    std::string path;
    if (!GuestPath(a.a[1], path))
        return -EFAULT;
    return Result(mkdirat(HostDirFd(a.a[0]), path.c_str(), static_cast<mode_t>(a.a[2])));
}

int64_t LinuxSystem::Renameat(const SyscallArgs& a) {
    std::string from, to;
    if (!GuestPath(a.a[1], from) || !GuestPath(a.a[3], to))
        return -EFAULT;
    return Result(renameat(HostDirFd(a.a[0]), from.c_str(), HostDirFd(a.a[2]), to.c_str()));
}

int64_t LinuxSystem::Renameat2(const SyscallArgs& a) {
    std::string from, to;
    if (!GuestPath(a.a[1], from) || !GuestPath(a.a[3], to))
        return -EFAULT;
    return Result(renameat2(HostDirFd(a.a[0]), from.c_str(), HostDirFd(a.a[2]), to.c_str(),
                            static_cast<unsigned>(a.a[4])));
}

int64_t LinuxSystem::Faccessat2(const SyscallArgs& a) {
    std::string path;
    if (!GuestPath(a.a[1], path))
        return -EFAULT;
    const int flags = static_cast<int>(a.a[3]) & (AT_EACCESS | AT_SYMLINK_NOFOLLOW | AT_EMPTY_PATH);
    return Result(faccessat(HostDirFd(a.a[0]), path.c_str(), static_cast<int>(a.a[2]), flags));
}

int64_t LinuxSystem::Faccessat(const SyscallArgs& a) {
    std::string path;
    if (!GuestPath(a.a[1], path))
        return -EFAULT;
    return Result(faccessat(HostDirFd(a.a[0]), path.c_str(), static_cast<int>(a.a[2]), 0));
}

int64_t LinuxSystem::Readlinkat(const SyscallArgs& a) {
    std::string path;
    if (!GuestPath(a.a[1], path))
        return -EFAULT;
    const uint64_t size = std::min<uint64_t>(a.a[3], PATH_MAX);
    if (!GuestMemory::Contains(a.a[2], size) && size)
        return -EFAULT;
    if (path == "/proc/self/exe") { // the guest's own path, not the simulator's
        const uint64_t n = std::min<uint64_t>(size, executablePath_.size());
        memory_.Write(a.a[2], executablePath_.data(), n);
        return static_cast<int64_t>(n);
    }
    return Result(readlinkat(HostDirFd(a.a[0]), path.c_str(),
                             reinterpret_cast<char*>(memory_.Host(a.a[2])), size));
}

int64_t LinuxSystem::Getcwd(const SyscallArgs& a) {
    char buffer[PATH_MAX];
    if (!getcwd(buffer, sizeof buffer))
        return -errno;
    const uint64_t length = std::strlen(buffer) + 1;
    if (length > a.a[1])
        return -ERANGE;
    return memory_.Write(a.a[0], buffer, length) ? static_cast<int64_t>(length) : -EFAULT;
}

int64_t LinuxSystem::Chdir(const SyscallArgs& a) {
    std::string path;
    if (!GuestPath(a.a[0], path))
        return -EFAULT;
    return Result(chdir(path.c_str()));
}

int64_t LinuxSystem::Dup(const SyscallArgs& a) {
    const int fd = HostFd(a.a[0]);
    if (fd < 0)
        return -EBADF;
    const int copy = fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (copy < 0)
        return -errno;
    const int guest = files_.Add(copy);
    return guest < 0 ? -EMFILE : guest;
}

int64_t LinuxSystem::Dup3(const SyscallArgs& a) {
    const int fd = HostFd(a.a[0]);
    if (fd < 0 || a.a[1] >= 1024)
        return -EBADF;
    if (a.a[0] == a.a[1])
        return -EINVAL;
    const int copy = fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (copy < 0)
        return -errno;
    files_.Install(static_cast<int>(a.a[1]), copy);
    return static_cast<int64_t>(a.a[1]);
}

int64_t LinuxSystem::Fcntl(const SyscallArgs& a) {
    const int fd = HostFd(a.a[0]);
    if (fd < 0)
        return -EBADF;
    switch (static_cast<int>(a.a[1])) {
    case F_DUPFD:
    case F_DUPFD_CLOEXEC: {
        const int copy = fcntl(fd, F_DUPFD_CLOEXEC, 0);
        if (copy < 0)
            return -errno;
        const int guest = files_.Add(copy, static_cast<int>(std::min<uint64_t>(a.a[2], 1024)));
        return guest < 0 ? -EMFILE : guest;
    }
    case F_GETFD:
    case F_SETFD:
        return 0; // the guest cannot exec, so close-on-exec has no effect
    case F_GETFL:
        return Result(fcntl(fd, F_GETFL));
    case F_SETFL:
        return Result(fcntl(fd, F_SETFL, static_cast<int>(a.a[2]) & (O_APPEND | O_NONBLOCK)));
    default:
        return -EINVAL;
    }
}

int64_t LinuxSystem::Ioctl(const SyscallArgs& a) {
    const int fd = HostFd(a.a[0]);
    if (fd < 0)
        return -EBADF;
    switch (a.a[1]) {
    case TCGETS: { // the kernel's struct termios is the same on both: 36 bytes
        unsigned char buffer[64];
        if (ioctl(fd, TCGETS, buffer) < 0)
            return -errno;
        return memory_.Write(a.a[2], buffer, 36) ? 0 : -EFAULT;
    }
    case TIOCGWINSZ: {
        struct winsize w;
        if (ioctl(fd, TIOCGWINSZ, &w) < 0)
            return -errno;
        return memory_.Write(a.a[2], &w, sizeof w) ? 0 : -EFAULT;
    }
    default:
        return -ENOTTY;
    }
}

int64_t LinuxSystem::Ftruncate(const SyscallArgs& a) {
    const int fd = HostFd(a.a[0]);
    return fd < 0 ? -EBADF : Result(ftruncate(fd, static_cast<off_t>(a.a[1])));
}

int64_t LinuxSystem::Fsync(const SyscallArgs& a) {
    const int fd = HostFd(a.a[0]);
    return fd < 0 ? -EBADF : Result(fsync(fd));
}

int64_t LinuxSystem::Getdents64(const SyscallArgs& a) {
    const int fd = HostFd(a.a[0]);
    if (fd < 0)
        return -EBADF;
    const uint64_t size = std::min<uint64_t>(a.a[2], 1 << 20);
    if (!GuestMemory::Contains(a.a[1], size))
        return -EFAULT;
    // struct linux_dirent64 has one layout on every 64-bit architecture.
    return Result(syscall(SYS_getdents64, fd, memory_.Host(a.a[1]), size));
}

int64_t LinuxSystem::Brk(const SyscallArgs& a) {
    return static_cast<int64_t>(space_.Brk(a.a[0]));
}

int64_t LinuxSystem::Mmap(const SyscallArgs& a) {
    const uint64_t address = a.a[0], length = a.a[1];
    const int prot = static_cast<int>(a.a[2]), flags = static_cast<int>(a.a[3]);
    const int fd = static_cast<int>(a.a[4]);
    const uint64_t offset = a.a[5];
    if (length == 0 || offset % GuestMemory::kPageSize)
        return -EINVAL;
    if (length > GuestMemory::kSize)
        return -ENOMEM;
    uint64_t placed;
    if (flags & MAP_FIXED) {
        if (!space_.MapFixed(address, length))
            return -EINVAL;
        placed = address;
    } else {
        placed = space_.Map(length);
        if (!placed)
            return -ENOMEM;
    }
    if (!(flags & MAP_ANONYMOUS)) {
        // A private copy of the file: what MAP_PRIVATE gives a program that does not write
        // the mapping back.
        const int host = HostFd(static_cast<uint64_t>(fd));
        if (host < 0) {
            space_.Unmap(placed, length);
            return -EBADF;
        }
        if (pread(host, memory_.Host(placed), length, static_cast<off_t>(offset)) < 0) {
            const int error = errno;
            space_.Unmap(placed, length);
            return -error;
        }
    }
    memory_.SetExecutable(placed, length, (prot & PROT_EXEC) != 0);
    if (prot & PROT_EXEC)
        cache_.Flush();
    return static_cast<int64_t>(placed);
}

int64_t LinuxSystem::Munmap(const SyscallArgs& a) {
    const bool wasCode = memory_.IsExecutable(a.a[0]);
    if (!space_.Unmap(a.a[0], a.a[1]))
        return -EINVAL;
    if (wasCode)
        cache_.Flush();
    return 0;
}

int64_t LinuxSystem::Mremap(const SyscallArgs& a) {
    const bool mayMove = (a.a[3] & MREMAP_MAYMOVE) != 0;
    const uint64_t moved = space_.Remap(a.a[0], a.a[1], a.a[2], mayMove);
    if (!moved)
        return -ENOMEM;
    return static_cast<int64_t>(moved);
}

int64_t LinuxSystem::Mprotect(const SyscallArgs& a) {
    if (a.a[0] % GuestMemory::kPageSize || !GuestMemory::Contains(a.a[0], a.a[1]))
        return -EINVAL;
    const bool executable = (a.a[2] & PROT_EXEC) != 0;
    memory_.SetExecutable(a.a[0], a.a[1], executable);
    cache_.Flush();
    return 0;
}

int64_t LinuxSystem::Madvise(const SyscallArgs&) {
    return 0;
}

int64_t LinuxSystem::FlushIcache(const SyscallArgs&) {
    cache_.Flush();
    return 0;
}

int64_t LinuxSystem::ClockGettime(const SyscallArgs& a) {
    timespec t;
    if (clock_gettime(static_cast<clockid_t>(a.a[0]), &t) < 0)
        return -errno;
    const GuestTimespec g{t.tv_sec, t.tv_nsec};
    return memory_.Write(a.a[1], &g, sizeof g) ? 0 : -EFAULT;
}

int64_t LinuxSystem::ClockGetres(const SyscallArgs& a) {
    timespec t;
    if (clock_getres(static_cast<clockid_t>(a.a[0]), &t) < 0)
        return -errno;
    const GuestTimespec g{t.tv_sec, t.tv_nsec};
    return a.a[1] == 0 || memory_.Write(a.a[1], &g, sizeof g) ? 0 : -EFAULT;
}

int64_t LinuxSystem::Gettimeofday(const SyscallArgs& a) {
    timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    const GuestTimespec g{t.tv_sec, t.tv_nsec / 1000};
    return a.a[0] == 0 || memory_.Write(a.a[0], &g, sizeof g) ? 0 : -EFAULT;
}

int64_t LinuxSystem::Nanosleep(const SyscallArgs& a) {
    GuestTimespec g;
    if (!memory_.Read(a.a[0], &g, sizeof g))
        return -EFAULT;
    const timespec t{g.sec, g.nsec};
    return Result(nanosleep(&t, nullptr));
}

int64_t LinuxSystem::ClockNanosleep(const SyscallArgs& a) {
    GuestTimespec g;
    if (!memory_.Read(a.a[2], &g, sizeof g))
        return -EFAULT;
    const timespec t{g.sec, g.nsec};
    return -clock_nanosleep(static_cast<clockid_t>(a.a[0]), static_cast<int>(a.a[1]), &t, nullptr);
}

int64_t LinuxSystem::Uname(const SyscallArgs& a) {
    struct utsname host;
    uname(&host);
    char fields[6][65] = {};
    std::snprintf(fields[0], 65, "Linux");
    std::snprintf(fields[1], 65, "%s", host.nodename);
    std::snprintf(fields[2], 65, "6.1.0");
    std::snprintf(fields[3], 65, "#1 SMP");
    std::snprintf(fields[4], 65, "riscv64");
    std::snprintf(fields[5], 65, "(none)");
    return memory_.Write(a.a[0], fields, sizeof fields) ? 0 : -EFAULT;
}

int64_t LinuxSystem::Getrandom(const SyscallArgs& a) {
    const uint64_t size = std::min<uint64_t>(a.a[1], 1 << 20);
    if (!GuestMemory::Contains(a.a[0], size) && size)
        return -EFAULT;
    return Result(
        getrandom(memory_.Host(a.a[0]), size, static_cast<unsigned>(a.a[2]) & GRND_NONBLOCK));
}

namespace {
struct GuestRlimit {
    uint64_t current, maximum;
};
bool LimitOf(uint64_t resource, GuestRlimit& limit) {
    if (resource == RLIMIT_STACK) { // the stack this simulator gives the program
        limit = {AddressSpace::kStackSize, AddressSpace::kStackSize};
        return true;
    }
    struct rlimit host;
    if (getrlimit(static_cast<int>(resource), &host) < 0)
        return false;
    limit = {host.rlim_cur, host.rlim_max};
    return true;
}
} // namespace

int64_t LinuxSystem::Prlimit64(const SyscallArgs& a) {
    if (a.a[0] != 0 && a.a[0] != static_cast<uint64_t>(getpid()))
        return -ESRCH;
    if (a.a[3]) {
        GuestRlimit limit;
        if (!LimitOf(a.a[1], limit))
            return -EINVAL;
        if (!memory_.Write(a.a[3], &limit, sizeof limit))
            return -EFAULT;
    }
    return 0; // new limits are accepted and not applied: the simulator keeps its own
}

int64_t LinuxSystem::Getrlimit(const SyscallArgs& a) {
    GuestRlimit limit;
    if (!LimitOf(a.a[0], limit))
        return -EINVAL;
    return memory_.Write(a.a[1], &limit, sizeof limit) ? 0 : -EFAULT;
}

int64_t LinuxSystem::Getrusage(const SyscallArgs& a) {
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage); // riscv64 and x86-64 share struct rusage's layout
    return memory_.Write(a.a[1], &usage, sizeof usage) ? 0 : -EFAULT;
}

int64_t LinuxSystem::Times(const SyscallArgs& a) {
    struct tms t;
    const clock_t now = times(&t);
    const int64_t fields[4] = {t.tms_utime, t.tms_stime, t.tms_cutime, t.tms_cstime};
    if (a.a[0] && !memory_.Write(a.a[0], fields, sizeof fields))
        return -EFAULT;
    return now;
}

int64_t LinuxSystem::Sysinfo(const SyscallArgs& a) {
    struct sysinfo info;
    sysinfo(&info); // the same layout on both 64-bit architectures
    return memory_.Write(a.a[0], &info, sizeof info) ? 0 : -EFAULT;
}

int64_t LinuxSystem::RtSigaction(const SyscallArgs& a) {
    // Signals are never delivered to the guest; the old action reads as the default.
    if (a.a[2]) {
        const uint8_t zeros[32] = {};
        if (!memory_.Write(a.a[2], zeros, 16 + std::min<uint64_t>(a.a[3], 16)))
            return -EFAULT;
    }
    return 0;
}

int64_t LinuxSystem::RtSigprocmask(const SyscallArgs& a) {
    if (a.a[2]) {
        const uint8_t zeros[16] = {};
        if (!memory_.Write(a.a[2], zeros, std::min<uint64_t>(a.a[3], 16)))
            return -EFAULT;
    }
    return 0;
}

int64_t LinuxSystem::SetTidAddress(const SyscallArgs&) {
    return getpid();
}

int64_t LinuxSystem::Futex(const SyscallArgs& a) {
    const int op = static_cast<int>(a.a[1]) & 0x7F;
    if (op == 1) // FUTEX_WAKE: nobody else to wake
        return 0;
    if (op == 0) { // FUTEX_WAIT: with one thread the value can never change; do not hang
        uint32_t value;
        if (!memory_.Read(a.a[0], &value, sizeof value))
            return -EFAULT;
        return value != static_cast<uint32_t>(a.a[2]) ? -EAGAIN : -ETIMEDOUT;
    }
    return -ENOSYS;
}

int64_t LinuxSystem::Getpid(const SyscallArgs&) {
    return getpid();
}
int64_t LinuxSystem::Getppid(const SyscallArgs&) {
    return getppid();
}
int64_t LinuxSystem::Getuid(const SyscallArgs&) {
    return getuid();
}
int64_t LinuxSystem::Geteuid(const SyscallArgs&) {
    return geteuid();
}
int64_t LinuxSystem::Getgid(const SyscallArgs&) {
    return getgid();
}
int64_t LinuxSystem::Getegid(const SyscallArgs&) {
    return getegid();
}
int64_t LinuxSystem::Zero(const SyscallArgs&) {
    return 0;
}
int64_t LinuxSystem::NotImplemented(const SyscallArgs&) {
    return -ENOSYS;
}

int64_t LinuxSystem::SignalSelf(const SyscallArgs& a) {
    // kill(pid, sig), tkill(tid, sig), tgkill(tgid, tid, sig): only ever the guest itself.
    const uint64_t signal = a.a[2] && a.a[2] < 65 ? a.a[2] : a.a[1];
    if (signal == 0)
        return 0;
    if (signal >= 65)
        return -EINVAL;
    // Signal handlers are not run: the default action of the signals programs send
    // themselves (abort, raise) is to end the program, as a shell reports it.
    exiting_ = true;
    exitStatus_ = 128 + static_cast<int>(signal);
    fatal_ = std::string("program terminated by signal ") + std::to_string(signal) + " (" +
             strsignal(static_cast<int>(signal)) + ")";
    return 0;
}

const LinuxSystem::Entry LinuxSystem::kTable[] = {
    {17, &LinuxSystem::Getcwd},        {23, &LinuxSystem::Dup},
    {24, &LinuxSystem::Dup3},          {25, &LinuxSystem::Fcntl},
    {29, &LinuxSystem::Ioctl},         {34, &LinuxSystem::Mkdirat},
    {35, &LinuxSystem::Unlinkat},      {38, &LinuxSystem::Renameat},
    {46, &LinuxSystem::Ftruncate},     {48, &LinuxSystem::Faccessat},
    {49, &LinuxSystem::Chdir},         {56, &LinuxSystem::Openat},
    {57, &LinuxSystem::Close},         {61, &LinuxSystem::Getdents64},
    {62, &LinuxSystem::Lseek},         {63, &LinuxSystem::Read},
    {64, &LinuxSystem::Write},         {65, &LinuxSystem::Readv},
    {66, &LinuxSystem::Writev},        {67, &LinuxSystem::Pread},
    {68, &LinuxSystem::Pwrite},        {78, &LinuxSystem::Readlinkat},
    {79, &LinuxSystem::Newfstatat},    {80, &LinuxSystem::Fstat},
    {82, &LinuxSystem::Fsync},         {96, &LinuxSystem::SetTidAddress},
    {98, &LinuxSystem::Futex},         {99, &LinuxSystem::Zero},
    {101, &LinuxSystem::Nanosleep},    {113, &LinuxSystem::ClockGettime},
    {114, &LinuxSystem::ClockGetres},  {115, &LinuxSystem::ClockNanosleep},
    {124, &LinuxSystem::Zero},         {129, &LinuxSystem::SignalSelf},
    {130, &LinuxSystem::SignalSelf},   {131, &LinuxSystem::SignalSelf},
    {134, &LinuxSystem::RtSigaction},  {135, &LinuxSystem::RtSigprocmask},
    {153, &LinuxSystem::Times},        {160, &LinuxSystem::Uname},
    {163, &LinuxSystem::Getrlimit},    {165, &LinuxSystem::Getrusage},
    {169, &LinuxSystem::Gettimeofday}, {172, &LinuxSystem::Getpid},
    {173, &LinuxSystem::Getppid},      {174, &LinuxSystem::Getuid},
    {175, &LinuxSystem::Geteuid},      {176, &LinuxSystem::Getgid},
    {177, &LinuxSystem::Getegid},      {178, &LinuxSystem::Getpid},
    {179, &LinuxSystem::Sysinfo},      {214, &LinuxSystem::Brk},
    {215, &LinuxSystem::Munmap},       {216, &LinuxSystem::Mremap},
    {222, &LinuxSystem::Mmap},         {226, &LinuxSystem::Mprotect},
    {233, &LinuxSystem::Madvise},      {258, &LinuxSystem::NotImplemented},
    {259, &LinuxSystem::FlushIcache},  {261, &LinuxSystem::Prlimit64},
    {278, &LinuxSystem::Getrandom},    {276, &LinuxSystem::Renameat2},
    {439, &LinuxSystem::Faccessat2},   {293, &LinuxSystem::NotImplemented},
};

const LinuxSystem::Entry* LinuxSystem::Find(uint64_t number) {
    for (const Entry& e : kTable)
        if (e.number == number)
            return &e;
    return nullptr;
}

} // namespace sim
