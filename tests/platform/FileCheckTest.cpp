// The check open before a results file goes to the editor, against real failures.
#include "platform/FileCheck.h"
#include "NamedCase.h"

#include "LockingWriter.h"
#include "TempDir.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
using testcases::PrintTo;

TEST(FileCheck, ReadableFilePasses) {
    TempDir dir;
    EXPECT_EQ(CheckOpenForReading(dir.write("simout.res", "sim_num_insn 5\n")), FileError::None);
}

TEST(FileCheck, MissingFileInExistingDirectoryIsNotFound) {
    TempDir dir;
    EXPECT_EQ(CheckOpenForReading(dir.file("absent.res")), FileError::NotFound);
}

TEST(FileCheck, MissingDirectoryIsInvalidPath) {
    TempDir dir;
    EXPECT_EQ(CheckOpenForReading(dir.file("no/such/dir/x.res")), FileError::InvalidPath);
}

TEST(FileCheck, FileUsedAsDirectoryIsInvalidPath) {
    TempDir dir;
    dir.write("plain");
    EXPECT_EQ(CheckOpenForReading(dir.file("plain/x.res")), FileError::InvalidPath);
}

TEST(FileCheck, TooLongNameIsInvalidPath) {
    TempDir dir;
    EXPECT_EQ(CheckOpenForReading(dir.file(std::string(300, 'a'))), FileError::InvalidPath);
}

TEST(FileCheck, NoFreeDescriptorIsTooManyOpenFiles) {
    TempDir dir;
    const std::string path = dir.write("x.res", "1");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = 3; // 0, 1 and 2 are open: no descriptor is left
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &tight), 0);
    const FileError error = CheckOpenForReading(path);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &saved), 0);
    EXPECT_EQ(error, FileError::TooManyOpenFiles);
}

TEST(FileCheck, UnreadableForTheUserIsAccessDenied) {
    TempDir dir;
    const std::string path = dir.write("private.res", "1");
    // Root reads a 0600 file of its own only as somebody else; anyone else is denied 0000.
    ASSERT_EQ(chmod(path.c_str(), geteuid() == 0 ? 0600 : 0000), 0);
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    // Root reads anything; acting as nobody for the open makes the denial real.
    const uid_t saved = geteuid();
    if (saved == 0) {
        ASSERT_EQ(seteuid(65534), 0);
    }
    const FileError error = CheckOpenForReading(path);
    if (saved == 0) {
        ASSERT_EQ(seteuid(0), 0);
    }
    EXPECT_EQ(error, FileError::AccessDenied);
}

TEST(FileCheck, WritersExclusiveLockIsSharingViolation) {
    TempDir dir;
    const std::string path = dir.write("busy.res", "1");
    LockingWriter writer(path);
    ASSERT_TRUE(writer.locked());
    EXPECT_EQ(CheckOpenForReading(path), FileError::SharingViolation);
}

TEST(FileCheck, FifoWithoutWriterDoesNotBlock) {
    TempDir dir;
    const std::string path = dir.file("pipe.res");
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    // Returning at all is the point: a blocking open would hang here.
    EXPECT_EQ(CheckOpenForReading(path), FileError::None);
}

struct MessageCase {
    const char* name;
    FileError error;
    const char* expected;
};

class FileErrorMessageTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(FileErrorMessageTest, NamesTheFullPath) {
    const MessageCase& c = GetParam();
    EXPECT_EQ(FileErrorMessage(c.error, "/tmp/a b/x%1.res"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCause, FileErrorMessageTest,
    ::testing::Values(
        MessageCase{"None", FileError::None, ""},
        MessageCase{"NotFound", FileError::NotFound, "/tmp/a b/x%1.res was not found."},
        MessageCase{"InvalidPath", FileError::InvalidPath,
                    "/tmp/a b/x%1.res contains an invalid path."},
        MessageCase{"TooManyOpenFiles", FileError::TooManyOpenFiles,
                    "/tmp/a b/x%1.res could not be opened because there are too many open "
                    "files."},
        MessageCase{"AccessDenied", FileError::AccessDenied,
                    "Access to /tmp/a b/x%1.res was denied."},
        MessageCase{"SharingViolation", FileError::SharingViolation,
                    "A sharing violation occurred while accessing /tmp/a b/x%1.res."},
        MessageCase{"HardwareError", FileError::HardwareError,
                    "A hardware I/O error was reported while accessing /tmp/a b/x%1.res."},
        MessageCase{"Unknown", FileError::Unknown,
                    "An unknown error occurred while accessing /tmp/a b/x%1.res."}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
