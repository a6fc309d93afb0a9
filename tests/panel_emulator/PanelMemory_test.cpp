// Memory image files of the emulated panel load and save exactly their range and refuse any other size.

#include "panel_emulator/PanelEmulator.h"
#include "panel_emulator/PanelMemory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>

using panel_emulator::PanelMemory;

namespace {

std::string temporaryPath(const std::string& name)
{
    return testing::TempDir() + "panel_memory_" + name;
}

void writeFile(const std::string& path, std::size_t size)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << std::string(size, '\x5A');
}

} // namespace

TEST(PanelMemory, SaveThenLoadGivesTheSameBytes)
{
    panel_emulator::PanelEmulator panel;
    panel.memory(0).setByteAt(0x3E00, 1);
    panel.memory(0).setByteAt(0xFBFF, 2);
    const std::string path = temporaryPath("config.bin");
    panel.memory(0).saveFile(path);
    panel.memory(1).saveFile(path + "1");

    panel_emulator::PanelEmulator other;
    other.memory(0).loadFile(path);
    other.memory(1).fill(0);
    other.memory(1).loadFile(path + "1");
    EXPECT_EQ(other.memory(0).bytes(), panel.memory(0).bytes());
    EXPECT_EQ(other.memory(1).byteAt(0x04), 0xB2);
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    EXPECT_EQ(static_cast<std::size_t>(file.tellg()), 0xBE00U);
    std::remove(path.c_str());
    std::remove((path + "1").c_str());
}

TEST(PanelMemory, WrongSizeOrMissingFileIsRefusedAndChangesNothing)
{
    PanelMemory memory(0, 256);
    const std::string path = temporaryPath("short.bin");
    writeFile(path, 255);
    try {
        memory.loadFile(path);
        FAIL() << "a 255-byte file was accepted";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("255"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("256"), std::string::npos) << error.what();
    }
    writeFile(path, 257);
    EXPECT_THROW(memory.loadFile(path), std::runtime_error);
    EXPECT_THROW(memory.loadFile(path + ".missing"), std::runtime_error);
    EXPECT_THROW(memory.loadFile("/dev/zero"), std::runtime_error); // endless: read no further than 257 bytes
    EXPECT_EQ(memory.bytes(), std::vector<uint8_t>(256, 0xFF));
    EXPECT_THROW(memory.saveFile(testing::TempDir() + "no/such/folder/x.bin"), std::runtime_error);
    std::remove(path.c_str());
}

TEST(PanelMemory, RangeChecksDoNotOverflow)
{
    PanelMemory memory(0x3E00, 0xBE00);
    EXPECT_TRUE(memory.contains(0x3E00, 0xBE00));
    EXPECT_TRUE(memory.contains(0xFC00, 0));
    EXPECT_FALSE(memory.contains(0xFBFF, 2));
    EXPECT_FALSE(memory.contains(0x3DFF, 1));
    EXPECT_FALSE(memory.contains(0xFFFFFFFF, 2));
    EXPECT_TRUE(memory.read(0xFBFF, 2).empty());
}
