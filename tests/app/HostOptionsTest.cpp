#include "HostOptions.h"

#include <gtest/gtest.h>

TEST(HostOptions, ReadsEveryOptionAndAScriptImpliesHeadless)
{
    std::string strError;
    const std::optional<SHostOptions> options = ParseHostOptions(
        {"--script", "tour.txt", "--config-dir", "/tmp/c", "--data-dir", "d", "--language", "DE"}, strError);
    ASSERT_TRUE(options) << strError;
    EXPECT_TRUE(options->bHeadless);
    EXPECT_EQ(options->script, "tour.txt");
    EXPECT_EQ(options->configDir, "/tmp/c");
    EXPECT_EQ(options->dataDir, "d");
    EXPECT_EQ(options->strLanguage, "DE");

    const std::optional<SHostOptions> plain = ParseHostOptions({}, strError);
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->bHeadless);
    EXPECT_EQ(plain->strLanguage, "EN");
    EXPECT_TRUE(ParseHostOptions({"--tour", "out"}, strError)->bHeadless);
}

TEST(HostOptions, UnknownOptionsAndMissingValuesAreErrors)
{
    std::string strError;
    EXPECT_FALSE(ParseHostOptions({"--colour"}, strError));
    EXPECT_EQ(strError, "unknown option '--colour'");
    EXPECT_FALSE(ParseHostOptions({"--headless", "--script"}, strError));
    EXPECT_EQ(strError, "--script needs a value");
    EXPECT_FALSE(ParseHostOptions({"--config-dir", ""}, strError));
    EXPECT_FALSE(ParseHostOptions({"--script", "a", "--tour", "b"}, strError));
}

TEST(HostOptions, FoldersFollowTheXdgRules)
{
    EXPECT_EQ(DefaultConfigDir("/x/config", "/home/u"), "/x/config/materials");
    EXPECT_EQ(DefaultConfigDir(nullptr, "/home/u"), "/home/u/.config/materials");
    // A relative XDG value is not to be used.
    EXPECT_EQ(DefaultConfigDir("relative", "/home/u"), "/home/u/.config/materials");
    EXPECT_EQ(DefaultDataDir("", "/home/u"), "/home/u/.local/share/materials");
    EXPECT_EQ(DefaultDataDir("/d", nullptr), "/d/materials");
    EXPECT_EQ(DefaultConfigDir(nullptr, nullptr), ".materials");
}
