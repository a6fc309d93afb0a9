// The read and write procedures against the emulated panel: identification checks, progress, write
// modes, the pages sent, the stamp, and every failure path ending in the right error at 19200 baud.
#include "support/ScratchFolder.h"
#include "support/TransferTestBench.h"

#include "boot_loader/BootloaderException.h"
#include "config_zelmar/PanelImageCodec.h"
#include "config_zelmar/ProgressHandlerAdapter.h"
#include "config_zelmar/TransferCancelled.h"
#include "panel_emulator/EmulatedPort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

using namespace config_zelmar;
using transfer_test::RecordingProgress;
using transfer_test::TransferTestBench;

namespace {

constexpr uint8_t readPageCode = 0xF2;
constexpr uint8_t writePageCode = 0xF3;

std::vector<float> fractions(std::initializer_list<float> values)
{
    return values;
}

Configuration namedDevices()
{
    Configuration configuration;
    for (int a = 1; a <= 3; ++a) {
        Device device;
        device.address = a;
        device.names = std::make_shared<DeviceNames>();
        device.names->deviceName = u"Dev";
        configuration.sections[0].devices[a] = device;
    }
    return configuration;
}

} // namespace

TEST(TransferErrors, MessagesAndProtocolCodesTranslate)
{
    EXPECT_STREQ(ConfiguratorError(ConfiguratorError::IncompatibleFirmware).what(),
                 "Несовместимая версия ПО прибора.");
    EXPECT_STREQ(ConfiguratorError(boot_loader::BootloaderException(4)).what(),
                 "Внутренняя ошибка программы-конфигуратора.");
    EXPECT_STREQ(ConfiguratorError(boot_loader::BootloaderException(3)).what(),
                 "Плохая связь с прибором. Проверьте подключение.");
    EXPECT_STREQ(ConfiguratorError::message(10), "Неизвестная ошибка.");
    const std::vector<unsigned> expected{0, 1, 2, 2, 7, 5, 2, 7};
    for (int code = 0; code < 8; ++code) {
        EXPECT_EQ(ConfiguratorError::fromProtocolCode(code), expected[static_cast<std::size_t>(code)])
            << code;
    }
    EXPECT_EQ(ConfiguratorError::fromProtocolCode(-1), 7U);
}

TEST(TransferProgress, AdapterCountsWithoutAHandlerAndFinishesAtOne)
{
    ProgressHandlerAdapter silent(4, nullptr);
    silent.step();
    silent.step();
    EXPECT_EQ(silent.done(), 2);
    RecordingProgress progress;
    ProgressHandlerAdapter adapter(3, &progress);
    adapter.step();
    adapter.finish();
    EXPECT_EQ(progress.fractions, fractions({1.0F / 3.0F, 1.0F}));
}

TEST(TransferIdentification, WrongLoaderOrDeviceIsRefused)
{
    TransferTestBench bench;
    Configuration configuration;
    bench.panel.identity().version = 17;
    EXPECT_EQ(bench.read(configuration), 3U);
    bench.panel.identity().version = 0x12;
    bench.panel.identity().deviceName = "Z-ZL3X";
    EXPECT_EQ(bench.read(configuration), 4U);
    EXPECT_EQ(bench.write(configuration), 4U);
    bench.panel.identity().deviceName = "Z-ZL3";
    bench.panel.identity().pageSize = 128;
    EXPECT_EQ(bench.read(configuration), 4U);
}

TEST(TransferRead, ReportsOneHundredNinetyThreeStepsAndDecodesThePanel)
{
    TransferTestBench bench;
    const Configuration original = transfer_test::maximalSectionConfiguration();
    const PanelImages images = encodeImages(original, blankPanelImages());
    bench.panel.memory(0).write(0x3E00, images.configuration);
    bench.panel.memory(1).write(0x00, images.options);
    bench.panel.memory(1).setByteAt(0x04, 0xB2);
    bench.panel.memory(1).setByteAt(0x05, 0x13);
    RecordingProgress progress;
    Configuration configuration;
    ASSERT_EQ(bench.read(configuration, &progress), std::nullopt);
    ASSERT_EQ(progress.fractions.size(), 193U);
    EXPECT_FLOAT_EQ(progress.fractions.front(), 1.0F / 193.0F);
    EXPECT_EQ(progress.fractions.back(), 1.0F);
    EXPECT_TRUE(sameContent(configuration, original));
    EXPECT_EQ(configuration.firmwareVersion, "2.1.3");
}

TEST(TransferRead, ForeignFirmwareIsRefusedAndTheConfigurationStaysUntouched)
{
    TransferTestBench bench;
    bench.panel.memory(1).setByteAt(0x04, 0xB3);
    Configuration configuration = transfer_test::maximalCentralConfiguration();
    const Configuration before = configuration;
    bench.transfer->setRaisedSpeed(true);
    EXPECT_EQ(bench.read(configuration), ConfiguratorError::IncompatibleFirmware);
    EXPECT_TRUE(sameContent(configuration, before));
    EXPECT_EQ(*bench.hostBaudRate, 19200U);
    EXPECT_EQ(bench.panel.baudRate(), 19200U);
    EXPECT_EQ(bench.write(configuration), ConfiguratorError::IncompatibleFirmware);
    EXPECT_EQ(bench.panel.baudRate(), 19200U);
}

TEST(TransferWrite, FirstWriteReadsThePanelFirstAndAnUnchangedWriteSendsOnlyTheOptionPage)
{
    TransferTestBench bench;
    Configuration configuration = transfer_test::maximalCentralConfiguration();
    RecordingProgress first;
    ASSERT_EQ(bench.write(configuration, &first), std::nullopt);
    const std::vector<uint8_t> codes = bench.commandCodes();
    const auto firstWrite = std::find(codes.begin(), codes.end(), writePageCode);
    // Both areas are read before anything is written, then the stamp's page.
    EXPECT_EQ(std::count(codes.begin(), firstWrite, readPageCode), 191 + 1);
    EXPECT_EQ(first.fractions.back(), 1.0F);
    EXPECT_EQ(configuration.writeCounter, 0xFF); // erased counter 0xFF stays
    EXPECT_EQ(configuration.firmwareVersion, "2.1.3");

    Configuration read;
    ASSERT_EQ(bench.read(read), std::nullopt);
    EXPECT_TRUE(sameContent(read, configuration));
    bench.panel.memory(1).setByteAt(0x03, 0xFE);
    bench.panel.memory(1).setByteAt(0x02, 24);
    ASSERT_EQ(bench.read(read), std::nullopt);
    bench.panel.clearLog();
    RecordingProgress second;
    ASSERT_EQ(bench.write(read, &second), std::nullopt);
    // One page written and read back: 1 + 1 + 1 + 2 steps.
    EXPECT_EQ(second.fractions, fractions({0.2F, 0.4F, 0.6F, 0.8F, 1.0F}));
    EXPECT_EQ(read.writeCounter, 0xFF);
    EXPECT_EQ(read.lastWriteDate, "01.03.2025");
    int pageWrites = 0;
    for (const auto& command : bench.panel.log().commands) {
        pageWrites += command.code == writePageCode ? 1 : 0;
    }
    EXPECT_EQ(pageWrites, 1);
}

TEST(TransferWrite, OneChangedDeviceNameSendsTheOptionPageAndThatNamesPage)
{
    TransferTestBench bench;
    bench.panel.memory(1).setByteAt(0x03, 0); // a counter that still counts, so the option page changes
    Configuration configuration = namedDevices();
    ASSERT_EQ(bench.write(configuration), std::nullopt);
    Configuration read;
    ASSERT_EQ(bench.read(read), std::nullopt);
    read.sections.at(0).devices.at(2).names->deviceName = u"Changed";
    bench.panel.clearLog();
    ASSERT_EQ(bench.write(read), std::nullopt);
    std::vector<std::pair<int, uint32_t>> pages;
    for (const auto& command : bench.panel.log().commands) {
        if (command.code == writePageCode) {
            pages.emplace_back(command.space, command.address);
        }
    }
    // Device 2's record is the second in the pool: 0x4500 + 122 + 2 lies in page 0x4500.
    EXPECT_EQ(pages, (std::vector<std::pair<int, uint32_t>>{{1, 0x0000}, {0, 0x4500}}));
}

TEST(TransferWrite, PreservedBytesSurviveAReadAndAWrite)
{
    TransferTestBench bench;
    bench.fillRandom(5);
    const std::vector<uint8_t> optionsBefore = bench.options();
    const std::vector<uint8_t> configBefore = bench.configuration();
    Configuration configuration;
    ASSERT_EQ(bench.read(configuration), std::nullopt);
    Configuration edited = transfer_test::maximalCentralConfiguration();
    ASSERT_EQ(bench.write(edited), std::nullopt);
    const std::vector<uint8_t> options = bench.options();
    const std::vector<uint8_t> config = bench.configuration();
    for (uint32_t address : {0x04U, 0x05U, 0x0BU, 0x0DU, 0x0EU}) {
        EXPECT_EQ(options[address], optionsBefore[address]);
    }
    for (uint32_t address = 0x94; address < 0x100; ++address) {
        ASSERT_EQ(options[address], optionsBefore[address]);
    }
    EXPECT_EQ(options[0x06] & 0x40, optionsBefore[0x06] & 0x40);
    EXPECT_EQ(options[0x0F] & 0xF2, optionsBefore[0x0F] & 0xF2);
    for (uint32_t address = 0x11; address <= 0x8F; ++address) {
        ASSERT_EQ(options[address] & 0xF0, optionsBefore[address] & 0xF0);
    }
    EXPECT_EQ(options[0x03],
              static_cast<uint8_t>(optionsBefore[0x03] == 0xFF ? 0xFF : optionsBefore[0x03] + 1));
    for (std::size_t t = 0; t < 16; ++t) {
        const std::size_t block = 0xEC00 - 0x3E00 + 256 * t;
        EXPECT_EQ(config[block + 0xF5], configBefore[block + 0xF5]);
        EXPECT_EQ(config[block + 0xF4] & 0xFC, configBefore[block + 0xF4] & 0xFC);
    }
    Configuration back;
    ASSERT_EQ(bench.read(back), std::nullopt);
    EXPECT_TRUE(sameContent(back, edited));
}

TEST(TransferWrite, RaisedSpeedIsUsedForTheBulkAndBothSidesEndAtNormalSpeed)
{
    TransferTestBench bench;
    bench.transfer->setRaisedSpeed(true);
    Configuration configuration = transfer_test::maximalSectionConfiguration();
    ASSERT_EQ(bench.write(configuration), std::nullopt);
    EXPECT_EQ(*bench.hostBaudRate, 19200U);
    EXPECT_EQ(bench.panel.baudRate(), 19200U);
    EXPECT_EQ(bench.panel.log().lostCharacters, 0U);
    // One speed command to raise the rate; the write ends with finish, which returns the panel to 19200.
    const std::vector<uint8_t> codes = bench.commandCodes();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), uint8_t{0xF5}), 1);
    EXPECT_EQ(codes.back(), 0xF4);
    Configuration read;
    ASSERT_EQ(bench.read(read), std::nullopt);
    EXPECT_TRUE(sameContent(read, configuration));
    EXPECT_EQ(*bench.hostBaudRate, 19200U);
    EXPECT_EQ(bench.panel.baudRate(), 19200U);
}

// ---- Faults -----------------------------------------------------------------------------------------

namespace {

struct Fault
{
    const char* name;
    panel_emulator::PanelFaults faults;
    unsigned expected;
};

std::vector<Fault> allFaults()
{
    std::vector<Fault> result;
    panel_emulator::PanelFaults silent;
    silent.silentCommands = 3;
    result.push_back({"silent", silent, ConfiguratorError::NoAnswer});
    panel_emulator::PanelFaults badCrc;
    badCrc.badCrcAnswers = 3;
    result.push_back({"bad CRC", badCrc, ConfiguratorError::BadLink});
    for (auto [status, code] : {std::pair<uint8_t, unsigned>{0xA1, ConfiguratorError::BadLink},
                                {0xA2, ConfiguratorError::ConfiguratorInternalError},
                                {0xA3, ConfiguratorError::LoaderInternalError}}) {
        panel_emulator::PanelFaults faults;
        faults.statusCommands = 3;
        faults.status = status;
        result.push_back({"status", faults, code});
    }
    panel_emulator::PanelFaults dropped;
    dropped.dropAfterCommands = 0;
    result.push_back({"dropped", dropped, ConfiguratorError::ConverterLost});
    return result;
}

bool isDrop(const Fault& fault)
{
    return fault.faults.dropAfterCommands == 0;
}

// Runs a transfer with the fault armed once the panel has logged the given number of commands.
std::optional<unsigned> runWithFault(TransferTestBench& bench, bool write, Configuration& configuration,
                                     const Fault& fault, std::size_t atCommand)
{
    bench.panel.clearLog();
    bench.armFaultsAtCommand(atCommand, fault.faults);
    const auto result = write ? bench.write(configuration) : bench.read(configuration);
    *bench.beforeHostWrite = nullptr;
    bench.panel.setFaults(panel_emulator::PanelFaults{});
    return result;
}

} // namespace

TEST(TransferFaults, EveryReadStepEndsWithTheRightErrorAndLeavesTheConfigurationUntouched)
{
    for (const Fault& fault : allFaults()) {
        for (bool raised : {false, true}) {
            // Commands: identify, (set speed), the option page, 190 configuration pages, two checksums.
            const std::size_t optionPage = raised ? 2 : 1;
            const std::vector<std::pair<const char*, std::size_t>> steps{
                {"identification", 0},
                {"option page", optionPage},
                {"configuration page", optionPage + 60},
                {"checksums", optionPage + 191}};
            for (const auto& [step, command] : steps) {
                TransferTestBench bench;
                bench.transfer->setRaisedSpeed(raised);
                Configuration configuration = transfer_test::maximalSectionConfiguration();
                const Configuration before = configuration;
                SCOPED_TRACE(std::string(fault.name) + " at " + step + (raised ? " raised" : ""));
                EXPECT_EQ(runWithFault(bench, false, configuration, fault, command), fault.expected);
                EXPECT_TRUE(sameContent(configuration, before));
                if (!isDrop(fault)) {
                    EXPECT_EQ(*bench.hostBaudRate, 19200U);
                    EXPECT_EQ(bench.panel.baudRate(), 19200U);
                }
            }
        }
    }
}

namespace {

// Where each step of a first write at raised speed of the configuration into an erased panel lies in the
// panel's command log: identify, set speed, two checksums, both areas read, the stamp's read, the pages
// that differ written, each read back, two checksums, finish.
std::vector<std::pair<const char*, std::size_t>> firstWriteSteps(const Configuration& configuration)
{
    TransferTestBench bench;
    bench.transfer->setRaisedSpeed(true);
    Configuration copy = configuration;
    EXPECT_EQ(bench.write(copy), std::nullopt);
    const std::vector<uint8_t> codes = bench.commandCodes();
    const auto at = [&codes](std::vector<uint8_t>::const_iterator position) {
        return static_cast<std::size_t>(position - codes.begin());
    };
    const std::size_t firstWrite = at(std::find(codes.begin(), codes.end(), writePageCode));
    const std::size_t firstVerify =
        at(std::find(codes.begin() + static_cast<std::ptrdiff_t>(firstWrite), codes.end(), readPageCode));
    return {{"identification", 0},
            {"checksum", 2},
            {"content read", 4},
            {"later content read", 100},
            {"stamp read", 195},
            {"page write", firstWrite},
            {"later page write", firstWrite + 20},
            {"verify read", firstVerify},
            {"checksums", codes.size() - 3},
            {"finish", codes.size() - 1}};
}

} // namespace

TEST(TransferFaults, EveryWriteStepEndsWithTheRightErrorAndTheNextWriteRepairsThePanel)
{
    const Configuration maximal = transfer_test::maximalCentralConfiguration();
    const auto steps = firstWriteSteps(maximal);
    for (const Fault& fault : allFaults()) {
        for (const auto& [step, command] : steps) {
            TransferTestBench bench;
            bench.transfer->setRaisedSpeed(true);
            Configuration configuration = maximal;
            SCOPED_TRACE(std::string(fault.name) + " at " + step);
            // A panel that carried out the finish command restarts at 19200 baud: when only the answer
            // was damaged, the retries at the raised rate go unanswered.
            const bool finishCarriedOut = std::string(step) == "finish" && fault.faults.badCrcAnswers > 0;
            const unsigned expectedCode = finishCarriedOut ? ConfiguratorError::NoAnswer : fault.expected;
            EXPECT_EQ(runWithFault(bench, true, configuration, fault, command), expectedCode);
            if (isDrop(fault)) {
                continue; // the emulated link stays down
            }
            EXPECT_EQ(*bench.hostBaudRate, 19200U);
            EXPECT_EQ(bench.panel.baudRate(), 19200U);
            bench.panel.clearLog();
            ASSERT_EQ(bench.write(configuration), std::nullopt);
            const PanelImages expected = encodeImages(configuration, blankPanelImages());
            EXPECT_EQ(bench.configuration(), expected.configuration);
            // A write that failed once the content was known and before a page was sent left the images
            // known; any other failure made them unknown, and the panel is read again before it is written.
            const bool contentStillKnown = std::string(step) == "stamp read";
            const std::vector<uint8_t> codes = bench.commandCodes();
            const auto firstWrite = std::find(codes.begin(), codes.end(), writePageCode);
            EXPECT_EQ(std::count(codes.begin(), firstWrite, readPageCode), contentStillKnown ? 1 : 191 + 1);
        }
    }
}

TEST(TransferFaults, ASpeedChangeWhoseAnswerIsLostStillEndsAtNormalSpeed)
{
    TransferTestBench bench;
    bench.transfer->setRaisedSpeed(true);
    Fault damaged{"bad CRC", panel_emulator::PanelFaults{}, 0};
    damaged.faults.badCrcAnswers = 3; // the panel changes its rate, the host never learns it
    Configuration configuration;
    EXPECT_EQ(runWithFault(bench, false, configuration, damaged, 1), ConfiguratorError::NoAnswer);
    EXPECT_EQ(*bench.hostBaudRate, 19200U);
    EXPECT_EQ(bench.panel.baudRate(), 19200U);
    EXPECT_EQ(bench.read(configuration), std::nullopt);
}

TEST(TransferFaults, AFailingStampReadLeavesRaisedSpeed)
{
    TransferTestBench bench;
    bench.transfer->setRaisedSpeed(true);
    Configuration configuration;
    ASSERT_EQ(bench.write(configuration), std::nullopt);
    const std::vector<uint8_t> optionsBefore = bench.options();
    // An incremental write: identify, set speed, two checksums, then the stamp's page read.
    bench.panel.clearLog();
    panel_emulator::PanelFaults silent;
    silent.silentCommands = 3;
    bench.armFaultsAtCommand(4, silent);
    configuration.menuTime = 12;
    EXPECT_EQ(bench.write(configuration), ConfiguratorError::NoAnswer);
    EXPECT_EQ(bench.commandCodes().at(4), readPageCode);
    EXPECT_EQ(*bench.hostBaudRate, 19200U);
    EXPECT_EQ(bench.panel.baudRate(), 19200U);
    EXPECT_EQ(bench.options(), optionsBefore);
    ASSERT_EQ(bench.write(configuration), std::nullopt);
    EXPECT_EQ(bench.options()[0x0A], 12);
}

TEST(TransferFaults, AReadThatFailedHalfWayMakesTheNextWriteReadThePanelEvenWhenTheChecksumsMatch)
{
    TransferTestBench bench;
    const std::vector<uint8_t> panelA =
        encodeImages(transfer_test::maximalSectionConfiguration(), blankPanelImages()).configuration;
    bench.panel.memory(0).write(0x3E00, panelA);
    Configuration configuration;
    ASSERT_EQ(bench.read(configuration), std::nullopt);
    // Another panel is read half-way into the images, then the first panel is connected again: its
    // checksums still equal the stored ones, but the images no longer describe it.
    bench.panel.memory(0).fill(0x00);
    panel_emulator::PanelFaults silent;
    silent.silentCommands = 3;
    Configuration ignored;
    ASSERT_EQ(runWithFault(bench, false, ignored, Fault{"silent", silent, 0}, 61),
              ConfiguratorError::NoAnswer);
    bench.panel.memory(0).write(0x3E00, panelA);
    bench.panel.clearLog();
    ASSERT_EQ(bench.write(configuration), std::nullopt);
    const std::vector<uint8_t> codes = bench.commandCodes();
    const auto firstWrite = std::find(codes.begin(), codes.end(), writePageCode);
    EXPECT_EQ(std::count(codes.begin(), firstWrite, readPageCode), 191 + 1);
    EXPECT_EQ(bench.configuration(), panelA);
}

TEST(TransferFaults, AWriteInterruptedAfterTheOptionPageCountsTwice)
{
    TransferTestBench bench;
    bench.panel.memory(1).setByteAt(0x03, 5);
    Configuration configuration;
    // A first write: identify, two checksums, 191 content reads, stamp read, option write, configuration
    // pages.
    panel_emulator::PanelFaults silent;
    silent.silentCommands = 3;
    bench.armFaultsAtCommand(196, silent);
    EXPECT_EQ(bench.write(configuration), ConfiguratorError::NoAnswer);
    EXPECT_EQ(bench.panel.memory(1).byteAt(0x03), 6);
    ASSERT_EQ(bench.write(configuration), std::nullopt);
    EXPECT_EQ(bench.panel.memory(1).byteAt(0x03), 7);
    EXPECT_EQ(configuration.writeCounter, 7);
}

namespace {

// The least time the commands the panel received can take on the link: every frame is sent in two
// writes (the code with the ninth bit set, then the rest), each followed by the link's post-transmit
// sleep of its transmission time plus 10 ms in whole milliseconds; the answer comes in during the second
// sleep and is complete after its own wire time. Commands travel at the rate the preceding speed commands
// set; the panel restarts at 19200 after finish.
double protocolLowerBound(const panel_emulator::ReceiveLog& log)
{
    constexpr double bitsPerCharacter = 11.0;
    const auto frameLength = [](uint8_t code) -> std::size_t {
        switch (code) {
        case 0xF2:
            return 6;
        case 0xF3:
            return 6 + 256;
        case 0xF5:
            return 4;
        case 0xF6:
            return 8;
        default:
            return 3;
        }
    };
    const auto answerLength = [](uint8_t code) -> std::size_t {
        switch (code) {
        case 0xF1:
            return 16 + 3;
        case 0xF2:
            return 256 + 3;
        case 0xF6:
            return 4 + 3;
        default:
            return 3;
        }
    };
    const auto postTransmitSleep = [](std::size_t characters, double characterTime) {
        return std::floor(static_cast<double>(characters) * characterTime + 10.0);
    };
    double bound = 0;
    uint32_t rate = 19200;
    const std::vector<uint16_t>& characters = log.characters;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        if ((characters[i] & 0x100) == 0) {
            continue;
        }
        const auto code = static_cast<uint8_t>(characters[i]);
        const double characterTime = bitsPerCharacter * 1000.0 / rate;
        const std::size_t rest = frameLength(code) - 1;
        const double answerComplete = static_cast<double>(rest + answerLength(code)) * characterTime;
        bound += postTransmitSleep(1, characterTime) +
                 std::max(postTransmitSleep(rest, characterTime), answerComplete);
        if (code == 0xF5 && i + 1 < characters.size()) {
            rate = (characters[i + 1] & 0xFF) == 1 ? 345600 : 19200;
        } else if (code == 0xF4) {
            rate = 19200;
        }
    }
    return bound;
}

void printBenchmark(const std::string& transfer, uint32_t rate, double modelled, double bound)
{
    const double above = std::max(0.0, (modelled / bound - 1.0) * 100.0); // rounding may dip below
    std::printf("[ BENCHMARK ] %s, %u baud: %.3f s modelled, %.3f s protocol lower bound (+%.2f %%)\n",
                transfer.c_str(), rate, modelled / 1000.0, bound / 1000.0, above);
}

// Runs the transfer call on the bench and prints its modelled duration beside the protocol's bound.
void benchmark(TransferTestBench& bench, const std::string& name, uint32_t rate,
               const std::function<std::optional<unsigned>()>& transferCall)
{
    bench.panel.clearLog();
    const double start = bench.clock->now();
    ASSERT_EQ(transferCall(), std::nullopt) << name;
    printBenchmark(name, rate, bench.clock->now() - start, protocolLowerBound(bench.panel.log()));
}

} // namespace

TEST(TransferBenchmark, ModelledDurationOfTransfersNextToTheProtocolsLowerBound)
{
    for (bool raised : {false, true}) {
        const uint32_t rate = raised ? 345600U : 19200U;
        transfer_test::ScratchFolder folder;
        TransferTestBench bench;
        bench.useStore(std::make_shared<ImageStore>(folder.path()));
        bench.transfer->setRaisedSpeed(raised);
        Configuration configuration = transfer_test::maximalCentralConfiguration();
        benchmark(bench, "first write of a maximal configuration into a blank panel (read, write, verify)",
                  rate, [&] { return bench.write(configuration); });
        Configuration read;
        benchmark(bench, "full read", rate, [&] { return bench.read(read); });
        bench.restart();
        configuration.sections.at(5).devices.at(3).names->deviceName = u"Другое имя";
        benchmark(bench, "one name changed after a restart (verify included)", rate,
                  [&] { return bench.write(configuration); });
        WriteOptions everything;
        everything.allPages = true;
        bench.transfer->setWriteOptions(everything);
        benchmark(bench, "all pages written and verified", rate, [&] { return bench.write(configuration); });
    }
}

TEST(TransferPanelInfo, IdentifiesAndShowsTheOptionPageWithoutTouchingTheImages)
{
    TransferTestBench bench;
    bench.panel.memory(1).setByteAt(0x00, 7);
    bench.panel.memory(1).setByteAt(0x01, 12);
    bench.panel.memory(1).setByteAt(0x02, 25);
    bench.panel.memory(1).setByteAt(0x03, 9);
    ASSERT_TRUE(bench.transfer->open(panel_emulator::EmulatedPort::defaultName));
    const PanelInfo info = bench.transfer->readPanelInfo();
    bench.transfer->close();
    EXPECT_EQ(info.loaderVersion, 0x12);
    EXPECT_EQ(info.deviceName, "Z-ZL3");
    EXPECT_EQ(info.pageSize, 256);
    EXPECT_EQ(info.firmwareVersion, "2.1.3");
    EXPECT_EQ(info.lastWriteDate, "07.12.2025");
    EXPECT_EQ(info.writeCounter, 9);
    bench.panel.identity().version = 17;
    ASSERT_TRUE(bench.transfer->open(panel_emulator::EmulatedPort::defaultName));
    EXPECT_THROW(bench.transfer->readPanelInfo(), ConfiguratorError);
    bench.transfer->close();
}

namespace {

// Asks to stop once the given number of progress reports has come in.
class CancellingProgress : public ProgressHandler
{
public:
    explicit CancellingProgress(std::size_t reportsBeforeCancel) : reportsBeforeCancel(reportsBeforeCancel) {}

    void setProgress(float) override { ++reports; }
    bool cancelRequested() const override { return reports >= reportsBeforeCancel; }

    std::size_t reports = 0;

private:
    std::size_t reportsBeforeCancel;
};

} // namespace

TEST(TransferCancel, AReadStopsBeforeTheNextPageAtNormalSpeedAndTheConfigurationStaysUntouched)
{
    // Reports: 1 after identification, 2 after the option page, then one per configuration page.
    const std::vector<std::pair<const char*, std::size_t>> points{{"after identification", 1},
                                                                  {"after the option page", 2},
                                                                  {"half-way", 100},
                                                                  {"after the last page", 192}};
    for (bool raised : {false, true}) {
        for (const auto& [point, reports] : points) {
            SCOPED_TRACE(std::string(point) + (raised ? " raised" : ""));
            TransferTestBench bench;
            bench.transfer->setRaisedSpeed(raised);
            Configuration configuration = transfer_test::maximalSectionConfiguration();
            const Configuration before = configuration;
            CancellingProgress progress(reports);
            ASSERT_TRUE(bench.transfer->open(panel_emulator::EmulatedPort::defaultName));
            EXPECT_THROW(bench.transfer->readConfiguration(configuration, &progress), TransferCancelled);
            bench.transfer->close();

            EXPECT_TRUE(sameContent(configuration, before));
            EXPECT_EQ(progress.reports, reports);
            const std::vector<uint8_t> codes = bench.commandCodes();
            const auto pagesRead = std::count(codes.begin(), codes.end(), readPageCode);
            EXPECT_EQ(std::size_t(pagesRead), reports - 1);
            EXPECT_EQ(*bench.hostBaudRate, 19200U);
            EXPECT_EQ(bench.panel.baudRate(), 19200U);
            // The panel is left ready for the next read.
            Configuration again;
            EXPECT_EQ(bench.read(again), std::nullopt);
        }
    }
}

// A write asks too (the command-line tool stops on SIGINT); the configurator never offers it during a
// write. The next write finds the panel's content unknown and completes it.
TEST(TransferCancel, AWriteAskedToStopEndsBeforeItsNextCommandAndTheNextWriteCompletes)
{
    TransferTestBench bench;
    bench.transfer->setRaisedSpeed(true);
    Configuration configuration = namedDevices();
    CancellingProgress progress(0);
    ASSERT_TRUE(bench.transfer->open(panel_emulator::EmulatedPort::defaultName));
    EXPECT_THROW(bench.transfer->writeConfiguration(configuration, &progress), TransferCancelled);
    bench.transfer->close();
    EXPECT_TRUE(bench.commandCodes().empty()) << "stopped before its first command";
    EXPECT_EQ(bench.panel.baudRate(), 19200U);
    EXPECT_EQ(bench.write(configuration), std::nullopt);
    Configuration readBack;
    EXPECT_EQ(bench.read(readBack), std::nullopt);
    EXPECT_EQ(readBack.sections.at(0).devices.size(), 3U);
}
