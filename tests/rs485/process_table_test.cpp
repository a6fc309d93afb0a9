// The process table: holders of a port found through the descriptor links of a /proc tree, and
// programs found by their command name.
#include "rs485/ProcessTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace rs485 {
namespace {

namespace fs = std::filesystem;

class FakeProc : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("rs485-proc-" + std::to_string(std::random_device()()));
        fs::create_directories(root / "files");
        port = root / "files/ttyUSB0";
        other = root / "files/other";
        std::ofstream(port) << "port";
        std::ofstream(other) << "other";
    }
    void TearDown() override { fs::remove_all(root); }

    void addProcess(int pid, const std::string& name, const std::vector<fs::path>& openFiles)
    {
        const fs::path folder = root / std::to_string(pid);
        fs::create_directories(folder / "fd");
        std::ofstream(folder / "comm") << name << "\n";
        int descriptor = 3;
        for (const fs::path& file : openFiles) {
            fs::create_symlink(file, folder / "fd" / std::to_string(descriptor++));
        }
    }

    static std::vector<int> pids(const std::vector<ProcessEntry>& entries)
    {
        std::vector<int> result;
        for (const ProcessEntry& entry : entries) {
            result.push_back(entry.pid);
        }
        return result;
    }

    fs::path root;
    fs::path port;
    fs::path other;
};

TEST_F(FakeProc, HoldersAndRunningProgramsAreFound)
{
    addProcess(812, "ModemManager", {other});
    addProcess(4711, "minicom", {other, port});
    addProcess(77, "cat", {port});
    addProcess(90, "bash", {});
    fs::create_directories(root / "self" / "fd"); // not a process folder
    std::ofstream(root / "uptime") << "1 2\n";

    struct Case
    {
        std::string path;
        std::vector<int> holders;
    };
    const Case cases[] = {
        {port.string(), {77, 4711}},
        {other.string(), {812, 4711}},
        {(root / "files/missing").string(), {}},
    };
    const ProcessTable table(root);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(pids(table.holdersOf(c.path)), c.holders);
    }
    EXPECT_EQ(table.holdersOf(port.string()).back().name, "minicom");
    EXPECT_TRUE(table.isRunning("ModemManager"));
    EXPECT_FALSE(table.isRunning("Modem"));
    EXPECT_FALSE(ProcessTable(root / "missing").isRunning("ModemManager"));
}

} // namespace
} // namespace rs485
