// A write against the emulated panel knows what the panel holds before it writes (from this run, from
// the image store, or by reading it), keeps every byte the configuration does not set, sends only the
// pages that differ, reads every page back, keeps a backup of what the panel held, and restores one.
#include "support/ScratchFolder.h"
#include "support/TransferTestBench.h"

#include "config_zelmar/ConfigurationSummary.h"
#include "config_zelmar/ImageStore.h"
#include "config_zelmar/MemoryMap.h"
#include "config_zelmar/PanelImageCodec.h"
#include "config_zelmar/TransferCancelled.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

using namespace config_zelmar;
using transfer_test::ScratchFolder;
using transfer_test::TransferTestBench;

namespace {

namespace map = memory_map;

constexpr uint8_t identify = 0xF1;
constexpr uint8_t readPage = 0xF2;
constexpr uint8_t writePage = 0xF3;
constexpr uint8_t finish = 0xF4;
constexpr uint8_t setSpeed = 0xF5;
constexpr uint8_t checksum = 0xF6;
constexpr std::size_t contentPages = 191;

using Page = std::pair<int, uint32_t>; // memory space, address

std::set<Page> writtenPages(const TransferTestBench& bench)
{
    std::set<Page> pages;
    for (const auto& command : bench.panel.log().commands) {
        if (command.code == writePage) {
            pages.emplace(command.space, command.address);
        }
    }
    return pages;
}

std::set<Page> differingPages(const PanelImages& before, const PanelImages& after)
{
    std::set<Page> pages;
    for (std::size_t offset = 0; offset < before.options.size(); offset += map::pageSize) {
        if (!std::equal(before.options.begin() + offset, before.options.begin() + offset + map::pageSize,
                        after.options.begin() + offset)) {
            pages.emplace(1, static_cast<uint32_t>(offset));
        }
    }
    for (std::size_t offset = 0; offset < before.configuration.size(); offset += map::pageSize) {
        if (!std::equal(before.configuration.begin() + offset,
                        before.configuration.begin() + offset + map::pageSize,
                        after.configuration.begin() + offset)) {
            pages.emplace(0, static_cast<uint32_t>(map::configuration::base + offset));
        }
    }
    return pages;
}

PanelImages panelImages(const TransferTestBench& bench)
{
    return PanelImages{bench.options(), bench.configuration()};
}

// The images with the stamp bytes (date and counter) left out of any comparison.
PanelImages withoutStamp(PanelImages images)
{
    std::fill(images.options.begin(), images.options.begin() + map::options::stampLength, 0);
    return images;
}

bool sameImages(const PanelImages& a, const PanelImages& b)
{
    return a.options == b.options && a.configuration == b.configuration;
}

// Reads of pages before the first page write: the content read plus the stamp's read.
long readsBeforeFirstWrite(const TransferTestBench& bench)
{
    const std::vector<uint8_t> codes = bench.commandCodes();
    return std::count(codes.begin(), std::find(codes.begin(), codes.end(), writePage), readPage);
}

long count(const std::vector<uint8_t>& codes, uint8_t code)
{
    return std::count(codes.begin(), codes.end(), code);
}

Configuration sectionWithNamedDevices()
{
    Configuration configuration;
    for (int a = 1; a <= 3; ++a) {
        Device device;
        device.address = a;
        device.zone = a;
        device.names = std::make_shared<DeviceNames>();
        device.names->deviceName = u"Dev";
        configuration.sections[0].devices[a] = device;
    }
    return configuration;
}

// A stepping clock: every backup gets a later time than the one before.
WallClockFunction steppingClock()
{
    auto now = std::make_shared<int64_t>(1740000000000);
    return [now] { return *now += 60000; };
}

// Preserved bytes and bits named by the memory map, compared one by one.
void expectPreservedBytesKept(const PanelImages& before, const PanelImages& after)
{
    for (const map::ByteRange& range : map::options::untouched) {
        for (std::size_t i = 0; i < range.length; ++i) {
            ASSERT_EQ(after.options[range.address + i], before.options[range.address + i])
                << range.address + i;
        }
    }
    for (const map::BitField& bits : map::options::preservedBits) {
        EXPECT_EQ(after.options[bits.address] & bits.mask, before.options[bits.address] & bits.mask);
    }
    for (uint32_t a = 0x11; a <= 0x8F; ++a) {
        ASSERT_EQ(after.options[a] & map::options::perAddressPreservedMask,
                  before.options[a] & map::options::perAddressPreservedMask);
    }
    for (std::size_t t = 0; t < map::eventBlocks::count; ++t) {
        const std::size_t block = map::eventBlocks::blockOf(t) - map::configuration::base;
        EXPECT_EQ(after.configuration[block + map::eventBlocks::untouchedOffset],
                  before.configuration[block + map::eventBlocks::untouchedOffset]);
        for (const map::BitField& bits : map::eventBlocks::preservedFlagBits) {
            EXPECT_EQ(after.configuration[block + bits.address] & bits.mask,
                      before.configuration[block + bits.address] & bits.mask);
        }
    }
}

} // namespace

TEST(SafeWrite, ANewTransferKeepsEveryPreservedByteOfARandomPanelAndWritesOnlyTheDifferingPages)
{
    struct Case
    {
        const char* name;
        unsigned seed;
        Configuration (*configuration)();
        bool raised;
        bool allPages;
    };
    const std::vector<Case> cases{
        {"central console", 5, transfer_test::maximalCentralConfiguration, false, false},
        {"section console, raised speed", 7, transfer_test::maximalSectionConfiguration, true, false},
        {"default configuration", 11, [] { return Configuration(); }, true, false},
        {"all pages", 13, transfer_test::maximalSectionConfiguration, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TransferTestBench bench;
        bench.fillRandom(c.seed);
        bench.transfer->setRaisedSpeed(c.raised);
        WriteOptions options;
        options.allPages = c.allPages;
        bench.transfer->setWriteOptions(options);
        const PanelImages before = panelImages(bench);
        Configuration configuration = c.configuration();
        ASSERT_EQ(bench.write(configuration), std::nullopt);
        const PanelImages after = panelImages(bench);

        expectPreservedBytesKept(before, after);
        EXPECT_TRUE(sameImages(withoutStamp(after), withoutStamp(encodeImages(configuration, before))));
        const std::vector<uint8_t> stamp(after.options.begin(), after.options.begin() + 4);
        EXPECT_EQ(stamp, (std::vector<uint8_t>{1, 3, 25, static_cast<uint8_t>(before.options[3] + 1)}));
        EXPECT_EQ(readsBeforeFirstWrite(bench), static_cast<long>(contentPages + 1));
        if (c.allPages) {
            EXPECT_EQ(writtenPages(bench).size(), contentPages);
        } else {
            EXPECT_EQ(writtenPages(bench), differingPages(before, after));
        }
    }
}

TEST(SafeWrite, ANewTransferOnTheSameStoreSendsExactlyWhatAOneNameChangeNeeds)
{
    struct Case
    {
        const char* name;
        bool raised;
        bool verify;
        std::vector<uint8_t> commands;
    };
    const std::vector<Case> cases{
        {"normal speed",
         false,
         true,
         {identify, checksum, checksum, readPage, writePage, writePage, readPage, readPage, checksum,
          checksum, finish}},
        {"raised speed",
         true,
         true,
         {identify, setSpeed, checksum, checksum, readPage, writePage, writePage, readPage, readPage,
          checksum, checksum, finish}},
        {"without verify",
         false,
         false,
         {identify, checksum, checksum, readPage, writePage, writePage, checksum, checksum, finish}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        TransferTestBench bench;
        bench.panel.memory(1).setByteAt(map::options::writeCounter, 0); // a counter that still counts
        bench.useStore(std::make_shared<ImageStore>(folder.path()));
        bench.transfer->setRaisedSpeed(c.raised);
        WriteOptions options;
        options.verify = c.verify;
        bench.transfer->setWriteOptions(options);
        Configuration configuration = sectionWithNamedDevices();
        ASSERT_EQ(bench.write(configuration), std::nullopt);

        // Another process on the same folder: a new transfer object and a new store object.
        bench.restart();
        bench.useStore(std::make_shared<ImageStore>(folder.path()));
        configuration.sections.at(0).devices.at(2).names->deviceName = u"Changed";
        bench.panel.clearLog();
        ASSERT_EQ(bench.write(configuration), std::nullopt);
        EXPECT_EQ(bench.commandCodes(), c.commands);
        EXPECT_EQ(writtenPages(bench), (std::set<Page>{{1, 0x0000}, {0, 0x4500}}));
        EXPECT_EQ(bench.panel.baudRate(), 19200U);
        EXPECT_EQ(*bench.hostBaudRate, 19200U);
    }
}

TEST(SafeWrite, ContentEstablishedFirstLetsTheWriteSendOnlyTheDifferingPages)
{
    TransferTestBench bench;
    bench.fillRandom(3);
    const PanelImages before = panelImages(bench);
    PanelImages established;
    ASSERT_EQ(bench.run([&] { established = bench.transfer->establishPanelContent(nullptr); }), std::nullopt);
    EXPECT_TRUE(sameImages(established, before));
    const std::vector<uint8_t> phaseOne = bench.commandCodes();
    EXPECT_EQ(count(phaseOne, readPage), static_cast<long>(contentPages));
    EXPECT_EQ(count(phaseOne, writePage) + count(phaseOne, finish), 0);

    bench.panel.clearLog();
    Configuration configuration = transfer_test::maximalSectionConfiguration();
    ASSERT_EQ(bench.write(configuration), std::nullopt);
    EXPECT_EQ(readsBeforeFirstWrite(bench), 1) << "only the stamp's read";
    EXPECT_EQ(writtenPages(bench), differingPages(before, panelImages(bench)));
}

TEST(SafeWrite, AFailingFlashIsRepairedOnceAndOtherwiseEndsWithAVerifyError)
{
    struct Case
    {
        const char* name;
        int flashFaults;
        std::optional<unsigned> result;
    };
    const std::vector<Case> cases{
        {"once", 1, std::nullopt},
        {"twice", 2, std::nullopt},
        {"always", panel_emulator::PanelFaults::alwaysFaulty, ConfiguratorError::VerifyFailed}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TransferTestBench bench;
        bench.transfer->setRaisedSpeed(true);
        bench.fillRandom(9);
        const PanelImages before = panelImages(bench);
        Configuration configuration = transfer_test::maximalCentralConfiguration();
        const PanelImages expected = encodeImages(configuration, before);
        bench.panel.faults().flashFaults = c.flashFaults;
        EXPECT_EQ(bench.write(configuration), c.result);
        EXPECT_EQ(bench.panel.baudRate(), 19200U);
        EXPECT_EQ(*bench.hostBaudRate, 19200U);
        const std::vector<uint8_t> codes = bench.commandCodes();
        const long differing = static_cast<long>(differingPages(before, panelImages(bench)).size());
        if (!c.result) {
            EXPECT_TRUE(sameImages(withoutStamp(panelImages(bench)), withoutStamp(expected)));
            // Each damaged page is written and read back once more.
            EXPECT_EQ(count(codes, writePage), differing + c.flashFaults);
            EXPECT_EQ(count(codes, finish), 1);
            continue;
        }
        EXPECT_EQ(count(codes, finish), 0) << "a write that fails does not finish";
        // The next write does not trust the images: it reads the panel again and repairs it.
        bench.panel.faults().flashFaults = 0;
        bench.panel.clearLog();
        const PanelImages damaged = panelImages(bench);
        ASSERT_EQ(bench.write(configuration), std::nullopt);
        EXPECT_EQ(readsBeforeFirstWrite(bench), static_cast<long>(contentPages + 1));
        EXPECT_TRUE(
            sameImages(withoutStamp(panelImages(bench)), withoutStamp(encodeImages(configuration, damaged))));
    }
}

TEST(SafeWrite, AfterALinkDroppedInTheMiddleTheNextWriteSendsOnlyThePagesStillDiffering)
{
    for (const bool raised : {false, true}) {
        for (const int droppedAtWrite : {1, 10, 60}) {
            SCOPED_TRACE(std::to_string(droppedAtWrite) + (raised ? " raised" : ""));
            TransferTestBench bench;
            bench.transfer->setRaisedSpeed(raised);
            bench.fillRandom(21);
            const PanelImages before = panelImages(bench);
            Configuration configuration = transfer_test::maximalCentralConfiguration();
            // Page commands: the content read, the stamp's read, then the page writes.
            bench.panel.faults().dropAtPage = static_cast<int>(contentPages + 1) + droppedAtWrite;
            EXPECT_EQ(bench.write(configuration), ConfiguratorError::ConverterLost);

            bench.panel.reconnect(); // at the rate it was left at
            const PanelImages interrupted = panelImages(bench);
            const PanelImages expected = encodeImages(configuration, before);
            bench.panel.clearLog();
            ASSERT_EQ(bench.write(configuration), std::nullopt);
            const PanelImages after = panelImages(bench);
            EXPECT_TRUE(sameImages(withoutStamp(after), withoutStamp(expected)));
            EXPECT_EQ(writtenPages(bench), differingPages(interrupted, after));
            EXPECT_EQ(bench.panel.baudRate(), 19200U);
        }
    }
}

TEST(SafeWrite, AWriteKeepsOneBackupOfThePreviousContentAndARestoreBringsItBack)
{
    ScratchFolder folder;
    auto store = std::make_shared<ImageStore>(folder.path(), steppingClock());
    TransferTestBench bench;
    bench.useStore(store);
    bench.fillRandom(17);
    const PanelImages original = panelImages(bench);

    Configuration first = transfer_test::maximalSectionConfiguration();
    ASSERT_EQ(bench.write(first), std::nullopt);
    ASSERT_EQ(store->backups().size(), 1U);
    EXPECT_TRUE(sameImages(store->backups().front().images, original));
    const PanelImages afterFirst = panelImages(bench);

    // A write whose first page write gets no answer (identify, two checksums, the stamp's read, the
    // page) leaves the panel as it was, so its retry adds no second backup of the same content.
    Configuration second = transfer_test::maximalCentralConfiguration();
    panel_emulator::PanelFaults silent;
    silent.silentCommands = 3;
    bench.panel.clearLog();
    bench.armFaultsAtCommand(4, silent);
    EXPECT_EQ(bench.write(second), ConfiguratorError::NoAnswer);
    EXPECT_EQ(bench.commandCodes().at(4), writePage);
    EXPECT_EQ(store->backups().size(), 2U);
    ASSERT_EQ(bench.write(second), std::nullopt);
    const std::vector<PanelBackup> backups = store->backups();
    ASSERT_EQ(backups.size(), 2U);
    EXPECT_TRUE(sameImages(backups.front().images, afterFirst)) << "newest first";
    Configuration originalDecoded;
    decodeImages(original, originalDecoded);
    EXPECT_EQ(backups.back().summary, configurationSummary(originalDecoded));
    EXPECT_EQ(backups.front().summary, "section console, 1 section, 127 devices, 127 named devices, 16 "
                                       "event tables, 5 commands");
    EXPECT_EQ(backups.front().firmware, originalDecoded.firmwareVersion);
    EXPECT_EQ(backups.front().counter, original.options[map::options::writeCounter] + 1);
    EXPECT_EQ(backups.front().panelDate, "01.03.2025");

    // Restoring the oldest backup brings back every byte but the stamp, and backs up what it replaces.
    const PanelImages beforeRestore = panelImages(bench);
    ASSERT_EQ(bench.run([&] { bench.transfer->restoreImages(backups.back().images, nullptr); }),
              std::nullopt);
    const PanelImages restored = panelImages(bench);
    EXPECT_TRUE(sameImages(withoutStamp(restored), withoutStamp(original)));
    EXPECT_EQ(restored.options[map::options::writeCounter], beforeRestore.options[3] + 1);
    ASSERT_EQ(store->backups().size(), 3U);
    EXPECT_TRUE(sameImages(store->backups().front().images, beforeRestore));
    Configuration read;
    ASSERT_EQ(bench.read(read), std::nullopt);
}

TEST(SafeWrite, DamagedStoreFilesAreSkippedAndTheWriteReadsThePanel)
{
    ScratchFolder folder;
    TransferTestBench bench;
    bench.useStore(std::make_shared<ImageStore>(folder.path(), steppingClock()));
    bench.panel.memory(1).setByteAt(map::options::writeCounter, 0);
    Configuration configuration = sectionWithNamedDevices();
    ASSERT_EQ(bench.write(configuration), std::nullopt);
    configuration.menuTime = 33;
    ASSERT_EQ(bench.write(configuration), std::nullopt);
    ASSERT_EQ(bench.store->backups().size(), 2U);

    // Every file of the store cut short; a foreign file and a folder beside them.
    namespace fs = std::filesystem;
    for (const char* sub : {"images", "backups"}) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder.path() + "/" + sub)) {
            fs::resize_file(entry.path(), fs::file_size(entry.path()) / 2);
        }
    }
    std::ofstream(folder.path() + "/backups/20250101-000000-00000000.bak") << "not a backup";
    fs::create_directory(folder.path() + "/backups/20250101-000000-11111111.bak");
    EXPECT_TRUE(bench.store->backups().empty());

    bench.restart();
    configuration.menuTime = 44;
    bench.panel.clearLog();
    ASSERT_EQ(bench.write(configuration), std::nullopt);
    EXPECT_EQ(readsBeforeFirstWrite(bench), static_cast<long>(contentPages + 1));
    EXPECT_EQ(bench.panel.memory(1).byteAt(map::options::menuTime.address), 44);
    EXPECT_EQ(bench.store->backups().size(), 1U);
}

TEST(SafeWrite, APanelLeftAtTheRaisedRateIsBroughtBack)
{
    struct Case
    {
        const char* name;
        uint32_t panelRate;
        bool write;
        std::optional<unsigned> result;
    };
    const std::vector<Case> cases{{"read, left raised", 345600, false, std::nullopt},
                                  {"write, left raised", 345600, true, std::nullopt},
                                  {"read, at normal rate", 19200, false, std::nullopt},
                                  {"silent panel", 0, false, ConfiguratorError::NoAnswer}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TransferTestBench bench;
        const PanelImages images = encodeImages(transfer_test::maximalSectionConfiguration(),
                                                PanelImages{bench.options(), bench.configuration()});
        bench.panel.memory(1).write(0, images.options);
        bench.panel.memory(0).write(map::configuration::base, images.configuration);
        if (c.panelRate == 0) {
            bench.panel.faults().silentCommands = 1000;
        } else {
            bench.panel.setBaudRate(c.panelRate);
        }
        Configuration configuration = transfer_test::maximalSectionConfiguration();
        Configuration read;
        EXPECT_EQ(c.write ? bench.write(configuration) : bench.read(read), c.result);
        EXPECT_EQ(*bench.hostBaudRate, 19200U);
        if (c.result) {
            continue;
        }
        EXPECT_EQ(bench.panel.baudRate(), 19200U);
        const std::vector<uint8_t> codes = bench.commandCodes();
        EXPECT_EQ(count(codes, setSpeed), c.panelRate == 345600 ? 1 : 0) << "the speed command for 19200";
        EXPECT_EQ(codes.at(c.panelRate == 345600 ? 1 : 0), identify);
        if (!c.write) {
            EXPECT_TRUE(sameContent(read, configuration));
        }
    }
}

TEST(SafeWrite, ProgressNamesItsPhases)
{
    struct PhaseRecorder : transfer_test::RecordingProgress
    {
        void setPhase(TransferPhase phase) override { phases.push_back(phase); }
        std::vector<TransferPhase> phases;
    };
    using P = TransferPhase;
    ScratchFolder folder;
    TransferTestBench bench;
    bench.useStore(std::make_shared<ImageStore>(folder.path()));
    Configuration configuration;
    const std::vector<std::pair<const char*, std::vector<P>>> writes{
        {"first write", {P::ReadingPanel, P::Writing, P::Verifying}},
        {"known content", {P::Writing, P::Verifying}}};
    for (const auto& [name, expected] : writes) {
        SCOPED_TRACE(name);
        PhaseRecorder progress;
        ASSERT_EQ(bench.write(configuration, &progress), std::nullopt);
        EXPECT_EQ(progress.phases, expected);
        EXPECT_TRUE(std::is_sorted(progress.fractions.begin() + 191 * (expected.size() == 3),
                                   progress.fractions.end()));
        EXPECT_EQ(progress.fractions.back(), 1.0F);
    }
    EXPECT_STREQ(transferPhaseText(P::ReadingPanel), "Чтение прибора");
}

TEST(SafeWrite, AStopRequestEndsTheTransferBeforeItsNextCommandAtTheNormalRate)
{
    // Stops once the panel has received the given number of commands.
    struct Stopper : transfer_test::RecordingProgress
    {
        const TransferTestBench* bench = nullptr;
        std::size_t afterCommands = 0;
        bool cancelRequested() const override { return bench->panel.log().commands.size() >= afterCommands; }
    };
    struct Case
    {
        const char* name;
        bool write;
        std::size_t afterCommands;
    };
    // Commands of a first write into an erased panel: identify, set speed, two checksums, 191 content
    // reads, the stamp's read, the page writes, their reads, two checksums, finish.
    const std::size_t pagesWritten =
        differingPages(blankPanelImages(),
                       encodeImages(transfer_test::maximalCentralConfiguration(), blankPanelImages()))
            .size();
    const std::size_t firstVerify = 4 + contentPages + 1 + pagesWritten;
    const std::vector<Case> cases{
        {"read, option page", false, 2},         {"read, configuration", false, 100},
        {"read, checksums", false, 194},         {"write, checksums", true, 3},
        {"write, content read", true, 50},       {"write, page writes", true, 200},
        {"write, verify", true, firstVerify + 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        TransferTestBench bench;
        bench.useStore(std::make_shared<ImageStore>(folder.path()));
        bench.transfer->setRaisedSpeed(true);
        Configuration configuration = transfer_test::maximalCentralConfiguration();
        Stopper stopper;
        stopper.bench = &bench;
        stopper.afterCommands = c.afterCommands;
        bool stopped = false;
        bench.run([&] {
            try {
                if (c.write) {
                    bench.transfer->writeConfiguration(configuration, &stopper);
                } else {
                    bench.transfer->readConfiguration(configuration, &stopper);
                }
            } catch (const TransferCancelled&) {
                stopped = true;
            }
        });
        EXPECT_TRUE(stopped);
        const std::vector<uint8_t> codes = bench.commandCodes();
        ASSERT_GE(codes.size(), c.afterCommands);
        // Nothing after the stop but the speed command that brings the panel back.
        EXPECT_EQ(
            std::vector<uint8_t>(codes.begin() + static_cast<std::ptrdiff_t>(c.afterCommands), codes.end()),
            std::vector<uint8_t>{setSpeed});
        EXPECT_EQ(bench.panel.baudRate(), 19200U);
        EXPECT_EQ(*bench.hostBaudRate, 19200U);
        // Nothing the panel may not hold was kept: the next write reads the panel first.
        bench.panel.clearLog();
        ASSERT_EQ(bench.write(configuration), std::nullopt);
        EXPECT_EQ(readsBeforeFirstWrite(bench), static_cast<long>(contentPages + 1));
    }
}

TEST(SafeWrite, EachTransferAtRaisedSpeedSendsOneSpeedCommandEachWay)
{
    struct Case
    {
        const char* name;
        bool raised;
        std::function<void(TransferTestBench&)> transfer;
        long speedCommands; // up, and down unless finish brings the panel down
    };
    const std::vector<Case> cases{
        {"read", true,
         [](TransferTestBench& b) {
             Configuration c;
             b.transfer->readConfiguration(c, nullptr);
         },
         2},
        {"content", true, [](TransferTestBench& b) { b.transfer->establishPanelContent(nullptr); }, 2},
        {"write", true,
         [](TransferTestBench& b) {
             Configuration c;
             b.transfer->writeConfiguration(c, nullptr);
         },
         1},
        {"read at normal speed", false,
         [](TransferTestBench& b) {
             Configuration c;
             b.transfer->readConfiguration(c, nullptr);
         },
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TransferTestBench bench;
        bench.transfer->setRaisedSpeed(c.raised);
        ASSERT_EQ(bench.run([&] { c.transfer(bench); }), std::nullopt);
        EXPECT_EQ(count(bench.commandCodes(), setSpeed), c.speedCommands);
        EXPECT_EQ(bench.panel.log().lostCharacters, 0U);
        EXPECT_EQ(bench.panel.baudRate(), 19200U);
    }
}
