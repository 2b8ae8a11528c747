// The program file carries its version record, every string in its order.
#include "res/VersionInfo.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace {

TEST(VersionRecord, IsInTheProgramFileInItsOrder) {
    std::ifstream in(ZEMLO_PROGRAM, std::ios::binary);
    ASSERT_TRUE(in) << ZEMLO_PROGRAM;
    const std::string program((std::istreambuf_iterator<char>(in)), {});
    std::string record;
    for (const auto& [key, value] : version::Strings) {
        record += std::string(key) + "=" + std::string(value) + "\n";
    }
    EXPECT_NE(program.find(record), std::string::npos);
    EXPECT_NE(record.find("FileDescription=Zemlo MFC Application\nFileVersion=1, 0, 0, 1\n"),
              std::string::npos);
}

} // namespace
