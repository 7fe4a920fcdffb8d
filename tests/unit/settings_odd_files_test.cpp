// settings.ini as something other than a plain file: a FIFO, a device, a file of endless zeros.
// Each must read as a missing file or stop at a bound; none may block or spin. A read that does
// not return ends the test program through the watchdog with a failure.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/settings.h"

namespace {

constexpr unsigned WatchdogSeconds = 30;

void watchdogFired(int)
{
    static const char Message[] = "FAIL: reading settings did not return within the watchdog's time\n";
    ssize_t ignored = write(STDERR_FILENO, Message, sizeof Message - 1);
    (void)ignored;
    _exit(1);
}

// Reads path under the watchdog.
void readGuarded(const std::string& path)
{
    std::signal(SIGALRM, watchdogFired);
    alarm(WatchdogSeconds);
    readSettingsFrom(path.c_str());
    alarm(0);
}

// A fresh name in the temporary folder; CTest runs test cases as parallel processes.
std::string tempPath(const char* name)
{
    std::string path = ::testing::TempDir() + "lornhaven_odd_settings_" + std::to_string(getpid()) + "_" + name;
    unlink(path.c_str());
    return path;
}

TEST(SettingsOddFiles, FifoReadsAsMissingWithoutBlocking)
{
    std::string path = tempPath("fifo.ini");
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0) << std::strerror(errno);
    readGuarded(path);
    EXPECT_EQ(settingsLineCount, 0);
    EXPECT_EQ(settingValue("screenw"), 0.0f);
    unlink(path.c_str());
}

TEST(SettingsOddFiles, LinkToEndlessDeviceReadsAsMissing)
{
    std::string path = tempPath("zero.ini");
    ASSERT_EQ(symlink("/dev/zero", path.c_str()), 0) << std::strerror(errno);
    readGuarded(path);
    EXPECT_EQ(settingsLineCount, 0);
    unlink(path.c_str());
}

TEST(SettingsOddFiles, DirectoryReadsAsMissing)
{
    std::string path = tempPath("folder.ini");
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0) << std::strerror(errno);
    readGuarded(path);
    EXPECT_EQ(settingsLineCount, 0);
    rmdir(path.c_str());
}

// A plain file that claims 64 GiB of zeros without a line feed (sparse: it takes no disk space)
// is read only up to the bound, and the lines it gives are empty.
TEST(SettingsOddFiles, EndlessPlainFileIsReadOnlyUpToTheBound)
{
    std::string path = tempPath("sparse.ini");
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0) << std::strerror(errno);
    ASSERT_EQ(ftruncate(fd, static_cast<off_t>(64) << 30), 0) << std::strerror(errno);
    close(fd);
    readGuarded(path);
    EXPECT_EQ(settingsLineCount, SettingsSlotCount);
    EXPECT_EQ(settingValue("screenw"), 0.0f);
    for (int slot = 0; slot < SettingsSlotCount; ++slot) {
        EXPECT_STREQ(settingsLines[slot], "") << "slot " << slot;
    }
    unlink(path.c_str());
}

// A link to a plain file is followed and read as usual.
TEST(SettingsOddFiles, LinkToPlainFileIsFollowed)
{
    std::string target = tempPath("target.ini");
    std::string path = tempPath("link.ini");
    FILE* file = std::fopen(target.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("screenw=800\n", file);
    std::fclose(file);
    ASSERT_EQ(symlink(target.c_str(), path.c_str()), 0) << std::strerror(errno);
    readGuarded(path);
    EXPECT_EQ(settingsLineCount, SettingsSlotCount);
    EXPECT_EQ(settingValue("screenw"), 800.0f);
    unlink(path.c_str());
    unlink(target.c_str());
}

}  // namespace
