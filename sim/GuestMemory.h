// The guest's address space: one flat host mapping, so that a guest address is a host pointer
// plus an offset and a bounds check. The low 64 KiB are never accessible (null pointers fault,
// as under Linux's mmap_min_addr); execute permission is kept per 4 KiB page for instruction
// fetch, while data accesses are checked against the bounds only.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace sim {

class GuestMemory {
public:
    static constexpr uint64_t kSize = uint64_t{1} << 32;
    static constexpr uint64_t kLowest = 0x10000;
    static constexpr uint64_t kPageSize = 4096;
    static constexpr uint64_t kPageCount = kSize / kPageSize;

    GuestMemory();
    ~GuestMemory();
    GuestMemory(const GuestMemory&) = delete;
    GuestMemory& operator=(const GuestMemory&) = delete;

    // One unsigned compare: addresses below kLowest wrap to huge values.
    static bool Contains(uint64_t address, uint64_t size) {
        return size <= kSize - kLowest && address - kLowest <= kSize - kLowest - size;
    }

    uint8_t* Host(uint64_t address) const { return base_ + address; }
    uint8_t* Base() const { return base_; }

    template <typename T> T Load(uint64_t address) const {
        T value;
        std::memcpy(&value, base_ + address, sizeof(T));
        return value;
    }
    template <typename T> void Store(uint64_t address, T value) {
        std::memcpy(base_ + address, &value, sizeof(T));
    }

    // Copies between guest and host; false if any byte lies outside the guest's memory.
    bool Read(uint64_t address, void* out, uint64_t size) const;
    bool Write(uint64_t address, const void* in, uint64_t size);
    // A NUL-terminated guest string of at most maxLength bytes; false if it runs out of memory
    // or is longer.
    bool ReadString(uint64_t address, std::string& out, uint64_t maxLength = 4096) const;

    // Gives the pages back to the host: they read as zero afterwards.
    void Discard(uint64_t address, uint64_t size);

    void SetExecutable(uint64_t address, uint64_t size, bool executable);
    bool IsExecutable(uint64_t address) const {
        return address < kSize && executable_[address / kPageSize] != 0;
    }

private:
    uint8_t* base_ = nullptr;
    std::vector<uint8_t> executable_;
};

} // namespace sim
