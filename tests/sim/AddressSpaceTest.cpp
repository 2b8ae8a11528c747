// brk and the mmap family over the flat guest memory.
#include "sim/AddressSpace.h"

#include <gtest/gtest.h>

namespace sim {
namespace {

class AddressSpaceTest : public testing::Test {
protected:
    GuestMemory memory;
    AddressSpace space{memory};
};

TEST_F(AddressSpaceTest, MappingsAreDisjointPageAlignedAndTopDown) {
    const uint64_t a = space.Map(100);
    const uint64_t b = space.Map(3 * GuestMemory::kPageSize);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    EXPECT_EQ(a % GuestMemory::kPageSize, 0u);
    EXPECT_EQ(b + 3 * GuestMemory::kPageSize, a);
    EXPECT_LE(a + GuestMemory::kPageSize, AddressSpace::kMmapTop);
}

TEST_F(AddressSpaceTest, UnmappedMemoryIsZeroAndReused) {
    const uint64_t a = space.Map(1 << 20);
    memory.Store<uint64_t>(a + 64, 0xDEADBEEF);
    ASSERT_TRUE(space.Unmap(a, 1 << 20));
    const uint64_t again = space.Map(1 << 20);
    EXPECT_EQ(again, a);
    EXPECT_EQ(memory.Load<uint64_t>(a + 64), 0u);
}

TEST_F(AddressSpaceTest, RemapKeepsContentWhenMoving) {
    const uint64_t a = space.Map(GuestMemory::kPageSize);
    const uint64_t blocker = space.Map(GuestMemory::kPageSize); // just below a: a cannot grow down
    (void)blocker;
    memory.Store<uint64_t>(a, 42);
    const uint64_t grown =
        space.Remap(a, GuestMemory::kPageSize, 64 * GuestMemory::kPageSize, true);
    ASSERT_NE(grown, 0u);
    EXPECT_EQ(memory.Load<uint64_t>(grown), 42u);
    EXPECT_EQ(space.Remap(grown, 64 * GuestMemory::kPageSize, 128 * GuestMemory::kPageSize, false),
              0u)
        << "cannot grow in place into the mapping above without MREMAP_MAYMOVE";
}

TEST_F(AddressSpaceTest, HugeRequestsFailInsteadOfOverlapping) {
    EXPECT_EQ(space.Map(GuestMemory::kSize), 0u);
    const uint64_t a = space.Map(1 << 30);
    const uint64_t b = space.Map(1 << 30);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    EXPECT_TRUE(b + (1 << 30) <= a || a + (1 << 30) <= b);
}

TEST_F(AddressSpaceTest, BrkMovesWithinItsRange) {
    space.SetBrkStart(0x80123);
    EXPECT_EQ(space.Brk(0), 0x81000u);
    EXPECT_EQ(space.Brk(0x90000), 0x90000u);
    EXPECT_EQ(space.Brk(0x1000), 0x90000u) << "below the start: unchanged";
    EXPECT_EQ(space.Brk(AddressSpace::kMmapBottom + 1), 0x90000u) << "into the mmap area";
}

TEST(GuestMemory, BoundsExcludeTheNullGuardAndTheTop) {
    EXPECT_FALSE(GuestMemory::Contains(0, 1));
    EXPECT_FALSE(GuestMemory::Contains(GuestMemory::kLowest - 1, 1));
    EXPECT_TRUE(GuestMemory::Contains(GuestMemory::kLowest, 8));
    EXPECT_TRUE(GuestMemory::Contains(GuestMemory::kSize - 8, 8));
    EXPECT_FALSE(GuestMemory::Contains(GuestMemory::kSize - 7, 8));
    EXPECT_FALSE(GuestMemory::Contains(~0ull - 3, 8));
}

} // namespace
} // namespace sim
