#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>

#include "graph/ColorSettings.h"

using namespace sonivel;
namespace fs = std::filesystem;

namespace {

class ColorFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("sonivel-colors-" + std::to_string(::getpid()) + "-"
                                             + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_path = (m_dir / "ColorConfig.ini").string();
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void Put(const std::string& content)
    {
        std::ofstream(m_path, std::ios::binary) << content;
    }
    std::string Get() const
    {
        std::ifstream in(m_path, std::ios::binary);
        std::ostringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    fs::path m_dir;
    std::string m_path;
};

} // namespace

TEST_F(ColorFileTest, MissingFileSectionOrKeyGivesTheDefaults)
{
    EXPECT_EQ(ReadColorSettings(m_path), SChartColors{});
    EXPECT_EQ(SChartColors{}.background, 0x646400u);   // R 0, G 100, B 100
    EXPECT_EQ(SChartColors{}.grid, 0xFF00FFu);
    EXPECT_EQ(SChartColors{}.line, 0xFF0000u);
    Put("[Kova_GRIDCOLOR]\r\nGVALUE=7\r\n");
    const SChartColors c = ReadColorSettings(m_path);
    EXPECT_EQ(c.grid, Rgb(255, 7, 255));
    EXPECT_EQ(c.background, SChartColors{}.background);
}

TEST_F(ColorFileTest, ValuesFollowTheProfileIntegerRules)
{
    Put("; comment\n[kova_bkcolor]\n rvalue = 300 \nGVALUE=abc\nBVALUE= 12xyz\n"
        "[Kova_LINECOLOR]\nRVALUE=-5\nGVALUE=\nBVALUE=99999999999\n[Kova_LINECOLOR]\nRVALUE=1\n");
    const SChartColors c = ReadColorSettings(m_path);
    EXPECT_EQ(c.background, Rgb(44, 0, 12));   // 300 and 255; not a number reads 0
    EXPECT_EQ(c.line, Rgb(0, 0, 255));          // negative 0; the first section counts
}

TEST_F(ColorFileTest, NewFileHoldsAllNineKeysInOrder)
{
    const std::string path = (m_dir / "new" / "Sonivel" / "ColorConfig.ini").string();
    ASSERT_TRUE(WriteColorSettings(path, SChartColors{}));
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    EXPECT_EQ(ss.str(), "[Kova_BKCOLOR]\r\nRVALUE=0\r\nGVALUE=100\r\nBVALUE=100\r\n"
                        "[Kova_GRIDCOLOR]\r\nRVALUE=255\r\nGVALUE=0\r\nBVALUE=255\r\n"
                        "[Kova_LINECOLOR]\r\nRVALUE=0\r\nGVALUE=0\r\nBVALUE=255\r\n");
    EXPECT_EQ(ReadColorSettings(path), SChartColors{});
}

TEST_F(ColorFileTest, ExistingFileKeepsItsOtherContent)
{
    Put("[Other]\nname=keep me\n\n[Kova_LINECOLOR]\n; line colour\nGVALUE=9\n\n[Kova_BKCOLOR]\nBVALUE=1\n");
    const SChartColors c{Rgb(1, 2, 3), Rgb(4, 5, 6), Rgb(7, 8, 9)};
    ASSERT_TRUE(WriteColorSettings(m_path, c));
    EXPECT_EQ(Get(), "[Other]\nname=keep me\n\n[Kova_LINECOLOR]\n; line colour\nGVALUE=8\nRVALUE=7\nBVALUE=9\n\n"
                     "[Kova_BKCOLOR]\nBVALUE=3\nRVALUE=1\nGVALUE=2\n"
                     "[Kova_GRIDCOLOR]\nRVALUE=4\nGVALUE=5\nBVALUE=6\n");
    EXPECT_EQ(ReadColorSettings(m_path), c);
    EXPECT_EQ(fs::directory_iterator(m_dir)->path().filename(), "ColorConfig.ini");   // no temporary left
}

TEST_F(ColorFileTest, ACarriageReturnOnlyFileGetsLinesOfItsOwnKindAndReadsBack)
{
    Put("[Other]\rname=keep me\r");
    const SChartColors c{Rgb(1, 2, 3), Rgb(4, 5, 6), Rgb(7, 8, 9)};
    ASSERT_TRUE(WriteColorSettings(m_path, c));
    EXPECT_EQ(Get().substr(0, 54), "[Other]\rname=keep me\r[Kova_BKCOLOR]\rRVALUE=1\rGVALUE=2\r");
    EXPECT_EQ(ReadColorSettings(m_path), c);
}

TEST_F(ColorFileTest, FailedWriteLeavesTheOldFile)
{
    Put("[Kova_BKCOLOR]\nRVALUE=5\n");
    const std::string blocked = (m_dir / "ColorConfig.ini" / "sub.ini").string();   // a file as folder
    EXPECT_FALSE(WriteColorSettings(blocked, SChartColors{}));
    EXPECT_EQ(Get(), "[Kova_BKCOLOR]\nRVALUE=5\n");
}

TEST_F(ColorFileTest, WrittenFilesGetThePermissionsOfTheUmaskOrKeepTheirOwn)
{
    struct stat st{};
    const mode_t savedMask = ::umask(022);
    ASSERT_TRUE(WriteColorSettings(m_path, SChartColors{}));
    ASSERT_EQ(::stat(m_path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
    ::chmod(m_path.c_str(), 0664);
    ASSERT_TRUE(WriteColorSettings(m_path, SChartColors{}));
    ASSERT_EQ(::stat(m_path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
    ::umask(savedMask);
}

TEST_F(ColorFileTest, APipeADeviceOrAHugeFileIsNoColourFile)
{
    // Each would keep the start-up waiting or reading; the chart gets its defaults.
    const std::string colours = "[Kova_BKCOLOR]\r\nRVALUE=5\r\n";
    Put(colours + std::string(kColorFileMaxBytes, ';'));
    EXPECT_EQ(ReadColorSettings(m_path), SChartColors{});
    Put(colours + std::string(kColorFileMaxBytes - colours.size(), ';'));
    EXPECT_EQ(RedOf(ReadColorSettings(m_path).background), 5);
    fs::remove(m_path);
    ASSERT_EQ(::mkfifo(m_path.c_str(), 0600), 0);
    EXPECT_EQ(ReadColorSettings(m_path), SChartColors{});
    EXPECT_EQ(ReadColorSettings("/dev/zero"), SChartColors{});
}

TEST(ColorFilePath, FollowsTheXdgConfigFolder)
{
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    EXPECT_EQ(ColorSettingsPath(), "/tmp/cfg/Sonivel/ColorConfig.ini");
    setenv("XDG_CONFIG_HOME", "relative", 1);   // not absolute: ignored
    setenv("HOME", std::getenv("HOME") ? std::getenv("HOME") : "/root", 1);
    EXPECT_EQ(ColorSettingsPath(), std::string(std::getenv("HOME")) + "/.config/Sonivel/ColorConfig.ini");
    if (old)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}
