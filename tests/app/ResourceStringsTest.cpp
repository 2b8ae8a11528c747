// The string resources as written, odd spellings and trailing characters included.
#include "res/ControlIds.h"
#include "res/StringTable.h"

#include <gtest/gtest.h>

namespace {

TEST(ResourceStrings, PromptsAndTheAboutItemAsWritten) {
    EXPECT_EQ(LoadResourceString(ids::IDS_ABOUTBOX), "&About Zemlo...");
    EXPECT_EQ(LoadResourceString(ids::ID_SIMULATOR_START),
              "Start the simulation after configurating the Zemlo Simulator\n");
    EXPECT_EQ(LoadResourceString(ids::ID_SIMULATOR_STOP), "Stop the simulation ");
    EXPECT_EQ(LoadResourceString(ids::ID_WINDOW_EXIT), "Close the aplication");
    EXPECT_EQ(LoadResourceString(ids::ID_HELP_ABOUT), "About Zemlo");
    EXPECT_EQ(LoadResourceString(12345), "");
}

} // namespace
