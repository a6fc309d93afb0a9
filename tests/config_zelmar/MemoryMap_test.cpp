// The memory map: every option limit, preserved bit, pool limit and table rule, checked on the panel-less
// image codec, plus the derived texts and the write stamp.
#include "support/TransferTestBench.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/MemoryMap.h"
#include "config_zelmar/PanelImageCodec.h"
#include "config_zelmar/WriteStamp.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

using namespace config_zelmar;

namespace {

constexpr uint32_t configBase = 0x3E00;

uint8_t configByte(const PanelImages& images, uint32_t address)
{
    return images.configuration.at(address - configBase);
}

uint16_t configWord(const PanelImages& images, uint32_t address)
{
    return static_cast<uint16_t>(configByte(images, address) | configByte(images, address + 1) << 8);
}

PanelImages encodeBlank(const Configuration& configuration)
{
    return encodeImages(configuration, blankPanelImages());
}

Configuration decoded(const PanelImages& images)
{
    Configuration configuration;
    decodeImages(images, configuration);
    return configuration;
}

Device deviceWithNames(int address)
{
    Device device;
    device.address = address;
    device.names = std::make_shared<DeviceNames>();
    device.names->deviceName = u"D";
    return device;
}

PanelImages randomImages(unsigned seed)
{
    std::mt19937 random(seed);
    PanelImages images = blankPanelImages();
    for (uint8_t& byte : images.options) {
        byte = static_cast<uint8_t>(random());
    }
    for (uint8_t& byte : images.configuration) {
        byte = static_cast<uint8_t>(random());
    }
    return images;
}

} // namespace

TEST(MemoryMapOptions, OutOfRangeValuesAreLimitedOrLeaveTheirByte)
{
    Configuration configuration;
    configuration.backlightLevel = -1;
    configuration.menuTime = 300;
    configuration.backlightTime = -5;
    configuration.clockSyncHour = 23;
    configuration.pultAddress = 25;
    PanelImages base = blankPanelImages();
    base.options[0x10] = 0xA3;
    PanelImages images = encodeImages(configuration, base);
    EXPECT_EQ(images.options[0x07], 0xFC);
    EXPECT_EQ(images.options[0x0A], 255);
    EXPECT_EQ(images.options[0x08], 0);
    EXPECT_EQ(images.options[0x0C], 0x23);
    EXPECT_EQ(images.options[0x10], 0xA3);

    configuration.backlightLevel = 7;
    configuration.clockSyncHour = 24;
    configuration.pultAddress = 24;
    images = encodeImages(configuration, base);
    EXPECT_EQ(images.options[0x07] & 0x03, 3);
    EXPECT_EQ(images.options[0x0C], 0xFF);
    EXPECT_EQ(images.options[0x10], 0xB8); // bits 7..5 of 0xA3 kept, address 24
}

TEST(MemoryMapOptions, BuzzerByteKeepsThePanelsBitSix)
{
    Configuration configuration;
    configuration.zummerConfig = 0x00;
    PanelImages base = blankPanelImages();
    base.options[0x06] = 0x40;
    EXPECT_EQ(encodeImages(configuration, base).options[0x06], 0x40);
    configuration.zummerConfig = 0xFF;
    base.options[0x06] = 0x00;
    EXPECT_EQ(encodeImages(configuration, base).options[0x06], 0xBF);
}

TEST(MemoryMapOptions, ClockHourOutsideBcdDecodesAsNoSynchronisation)
{
    PanelImages images = blankPanelImages();
    for (uint8_t byte : {0x24, 0x1A, 0xFF}) {
        images.options[0x0C] = byte;
        EXPECT_EQ(decoded(images).clockSyncHour, 255) << int{byte};
    }
    images.options[0x0C] = 0x19;
    EXPECT_EQ(decoded(images).clockSyncHour, 19);
}

TEST(MemoryMapOptions, PasswordIsPackedOnlyWhenSetAndNeverDecoded)
{
    Configuration configuration;
    PanelImages base = blankPanelImages();
    base.options[0x90] = 0x55;
    EXPECT_EQ(encodeImages(configuration, base).options[0x90], 0x55);
    configuration.storePassword("123");
    const PanelImages images = encodeImages(configuration, base);
    EXPECT_EQ(std::vector<uint8_t>(images.options.begin() + 0x90, images.options.begin() + 0x94),
              (std::vector<uint8_t>{0x12, 0x3F, 0xFF, 0xFF}));
    const Configuration back = decoded(images);
    EXPECT_FALSE(back.hasPassword);
    EXPECT_TRUE(back.password.empty());
}

TEST(MemoryMapSections, SectionConsoleZonesAndNames)
{
    Configuration configuration;
    Device zoneZero = deviceWithNames(5);
    zoneZero.zone = 0;
    Device withoutNames;
    withoutNames.address = 6;
    withoutNames.zone = 9;
    configuration.sections[0].devices[5] = zoneZero;
    configuration.sections[0].devices[6] = withoutNames;
    const PanelImages images = encodeBlank(configuration);
    EXPECT_EQ(images.options[0x15] & 0x0F, 0);
    EXPECT_EQ(images.options[0x16] & 0x0F, 9);
    EXPECT_EQ(configWord(images, 0xD400 + 2 * 6), 0xFFFF);
    EXPECT_EQ(configWord(images, 0xD400 + 2 * 5), 0x4500);
    EXPECT_EQ(configWord(images, 0xD400), 0xFFFF); // word 0 is left as the base had it

    const Configuration back = decoded(images);
    const auto& devices = back.sections.at(0).devices;
    EXPECT_EQ(devices.count(5), 0U);
    ASSERT_EQ(devices.count(6), 1U);
    EXPECT_EQ(devices.at(6).zone, 9);
    EXPECT_FALSE(devices.at(6).names);
}

TEST(MemoryMapSections, CentralConsoleRecordsThatAreMissingOrDoNotFit)
{
    Configuration configuration;
    configuration.setPultType(true);
    Section section;
    section.address = 2;
    section.group = 3;
    section.devices[1] = deviceWithNames(1);
    Device unnamed;
    unnamed.address = 2;
    section.devices[2] = unnamed;
    configuration.sections[2] = section;
    const PanelImages images = encodeBlank(configuration);
    EXPECT_EQ(configWord(images, 0xD500), 0xFFFF); // empty console name
    EXPECT_EQ(configWord(images, 0xD502), 0x4500);
    EXPECT_EQ(configWord(images, 0xD504), 0xFFFF);

    const Configuration back = decoded(images);
    ASSERT_EQ(back.sections.count(2), 1U);
    const Section& read = back.sections.at(2);
    EXPECT_EQ(read.group, 3);
    EXPECT_TRUE(read.name.empty());
    EXPECT_EQ(read.devices.size(), 1U);
    EXPECT_EQ(back.sections.count(0), 0U);
}

TEST(MemoryMapSections, NamePoolHoldsThreeHundredDeviceRecords)
{
    Configuration configuration;
    configuration.setPultType(true);
    for (int p = 1; p <= 3; ++p) {
        Section section;
        section.address = p;
        for (int a = 1; a <= 127; ++a) {
            section.devices[a] = deviceWithNames(a);
        }
        configuration.sections[p] = section;
    }
    const PanelImages images = encodeBlank(configuration);
    // 127 + 127 + 46 = 300 records: the 300th is device 46 of console 3.
    EXPECT_EQ(configWord(images, 0xD600 + 2 * 46), 0xD37E);
    EXPECT_EQ(configByte(images, 0xD37E + 121), 0x20); // its last byte, at 0xD3F7, is inside the pool
    EXPECT_EQ(configWord(images, 0xD600 + 2 * 47), 0xFFFF);

    const Configuration back = decoded(images);
    EXPECT_EQ(back.sections.at(3).devices.count(46), 1U);
    EXPECT_EQ(back.sections.at(3).devices.count(47), 0U);
}

TEST(MemoryMapCommands, SixtyFifthCommandIsDroppedAndNoneReadsBackEmpty)
{
    Configuration configuration;
    for (int i = 0; i < 65; ++i) {
        Command command(false);
        command.name = u"C";
        configuration.commands.push_back(command);
    }
    EXPECT_EQ(decoded(encodeBlank(configuration)).commands.size(), 64U);

    configuration.commands.clear();
    PanelImages base = randomImages(7);
    const PanelImages images = encodeImages(configuration, base);
    for (uint32_t address = 0x3E00; address < 0x4500; ++address) {
        ASSERT_EQ(configByte(images, address), 0xFF);
    }
    EXPECT_TRUE(decoded(images).commands.empty());
}

TEST(MemoryMapEventTables, MissingTablesAreWrittenAsDefaultAndSixteenAreRead)
{
    Configuration configuration;
    EventTable custom;
    custom.texts[0] = u"X";
    configuration.eventTables.push_back(custom);
    configuration.eventTables.push_back(custom);
    const PanelImages images = encodeBlank(configuration);
    for (uint32_t t = 3; t < 16; ++t) {
        EXPECT_EQ(configByte(images, 0xEC00 + 256 * t), 'H'); // "HOPMA" of the default table
        EXPECT_EQ(configByte(images, 0xEC00 + 256 * t + 0xF6), 0xFF);
    }
    // The read gives 16 tables; the rebuild then drops the unused default ones.
    EXPECT_EQ(decoded(images).eventTables.size(), 3U);
}

TEST(MemoryMapEventTables, FlagBitsFollowTheEventGroups)
{
    Configuration configuration;
    EventTable table;
    table.emergency.fill(false);
    table.emergency[18] = true; // line 3 activation
    table.emergency[23] = true; // outputs failure
    configuration.eventTables[0] = table;
    PanelImages base = blankPanelImages();
    const PanelImages images = encodeImages(configuration, base);
    EXPECT_EQ(configByte(images, 0xECF2), 0xFC);
    EXPECT_EQ(configByte(images, 0xECF3), 0x7C);
    EXPECT_EQ(configByte(images, 0xECF4), 0xFE);
    EXPECT_EQ(configByte(images, 0xECF0), 0x00);
}

TEST(MemoryMapTexts, DateFirmwareAndCounterAreShownFromTheOptionPage)
{
    PanelImages images = blankPanelImages();
    images.options[0] = 0x07;
    images.options[1] = 0x0C;
    images.options[2] = 0x19;
    images.options[3] = 42;
    images.options[4] = 0xB2;
    images.options[5] = 0x13;
    Configuration configuration = decoded(images);
    EXPECT_EQ(configuration.lastWriteDate, "07.12.2025");
    EXPECT_EQ(configuration.firmwareVersion, "2.1.3");
    EXPECT_EQ(configuration.writeCounter, 42);
    images.options[4] = 0xFF;
    images.options[5] = 0xFF;
    EXPECT_EQ(decoded(images).firmwareVersion, "-");
}

TEST(MemoryMapStamp, KeepsTheLaterDateAndStopsTheCounterAtFF)
{
    const LocalDate today{1, 3, 2025};
    const WriteStamp behind({15, 6, 25, 0xFE}, today);
    EXPECT_EQ(behind.day(), 15);
    EXPECT_EQ(behind.month(), 6);
    EXPECT_EQ(behind.year(), 25);
    EXPECT_EQ(behind.counter(), 0xFF);

    const WriteStamp erased({0xFF, 0xFF, 0xFF, 0xFF}, today);
    EXPECT_EQ(erased.day(), 0xFF);
    EXPECT_EQ(erased.year(), 0xFF);
    EXPECT_EQ(erased.counter(), 0xFF);

    const WriteStamp earlier({28, 2, 25, 4}, today);
    EXPECT_EQ(earlier.day(), 1);
    EXPECT_EQ(earlier.month(), 3);
    EXPECT_EQ(earlier.year(), 25);
    EXPECT_EQ(earlier.counter(), 5);
}

TEST(MemoryMapCodec, WrongImageSizesAreRefused)
{
    PanelImages images = blankPanelImages();
    images.configuration.pop_back();
    Configuration configuration;
    EXPECT_THROW(encodeImages(configuration, images), std::invalid_argument);
    EXPECT_THROW(decodeImages(images, configuration), std::invalid_argument);
}

TEST(MemoryMapCodec, StrayHighBitsOfATableIndexStillNameAnExistingTable)
{
    Configuration configuration;
    configuration.sections[0].devices[1] = deviceWithNames(1);
    PanelImages images = encodeBlank(configuration);
    images.configuration[0x4500 - configBase] = 0x35;
    const Configuration back = decoded(images);
    const uint32_t table = back.sections.at(0).devices.at(1).names->eventTable;
    EXPECT_LT(table, back.eventTables.size());
    EXPECT_NO_THROW(back.eventTableAt(static_cast<int>(table)));
}

TEST(MemoryMapCodec, MaximalConfigurationsSurviveARoundTripAndReachAFixedPoint)
{
    for (const Configuration& original :
         {transfer_test::maximalCentralConfiguration(), transfer_test::maximalSectionConfiguration()}) {
        const PanelImages images = encodeBlank(original);
        const Configuration back = decoded(images);
        EXPECT_TRUE(sameContent(original, back));
        EXPECT_EQ(encodeImages(back, images).configuration, images.configuration);
        EXPECT_EQ(encodeImages(back, images).options, images.options);
    }
}

TEST(MemoryMapCodec, PreservedBytesAndBitsKeepTheBaseValues)
{
    const PanelImages base = randomImages(11);
    for (const Configuration& configuration :
         {transfer_test::maximalCentralConfiguration(), transfer_test::maximalSectionConfiguration()}) {
        const PanelImages images = encodeImages(configuration, base);
        for (uint32_t address : {0x00U, 0x01U, 0x02U, 0x03U, 0x04U, 0x05U, 0x0BU, 0x0DU, 0x0EU}) {
            EXPECT_EQ(images.options[address], base.options[address]) << address;
        }
        for (uint32_t address = 0x94; address < 0x100; ++address) {
            ASSERT_EQ(images.options[address], base.options[address]) << address;
        }
        EXPECT_EQ(images.options[0x06] & 0x40, base.options[0x06] & 0x40);
        EXPECT_EQ(images.options[0x07] & 0xFC, base.options[0x07] & 0xFC);
        EXPECT_EQ(images.options[0x0F] & 0xF2, base.options[0x0F] & 0xF2);
        EXPECT_EQ(images.options[0x10] & 0xE0, base.options[0x10] & 0xE0);
        for (uint32_t address = 0x11; address <= 0x8F; ++address) {
            ASSERT_EQ(images.options[address] & 0xF0, base.options[address] & 0xF0) << address;
        }
        for (uint32_t t = 0; t < 16; ++t) {
            const uint32_t block = 0xEC00 - configBase + 256 * t;
            EXPECT_EQ(images.configuration[block + 0xF5], base.configuration[block + 0xF5]);
            EXPECT_EQ(images.configuration[block + 0xF2] & 0x7C, base.configuration[block + 0xF2] & 0x7C);
            EXPECT_EQ(images.configuration[block + 0xF3] & 0x7C, base.configuration[block + 0xF3] & 0x7C);
            EXPECT_EQ(images.configuration[block + 0xF4] & 0xFC, base.configuration[block + 0xF4] & 0xFC);
        }
    }
}

TEST(MemoryMapCodec, EncoderNeverChangesWhatTheMapMarksAsPreserved)
{
    namespace opt = memory_map::options;
    namespace blk = memory_map::eventBlocks;
    for (unsigned seed = 1; seed <= 6; ++seed) {
        const PanelImages base = randomImages(seed);
        for (const Configuration& configuration :
             {transfer_test::maximalCentralConfiguration(), transfer_test::maximalSectionConfiguration(),
              Configuration()}) {
            const PanelImages images = encodeImages(configuration, base);
            for (const memory_map::BitField bits : opt::preservedBits) {
                ASSERT_EQ(images.options[bits.address] & bits.mask, base.options[bits.address] & bits.mask)
                    << "seed " << seed << " option byte " << bits.address;
            }
            for (uint32_t a = opt::perAddressBase + 1; a <= opt::perAddressBase + 127; ++a) {
                ASSERT_EQ(images.options[a] & opt::perAddressPreservedMask,
                          base.options[a] & opt::perAddressPreservedMask)
                    << "seed " << seed << " per-address byte " << a;
            }
            for (const memory_map::ByteRange range : opt::untouched) {
                for (uint32_t a = range.address; a < range.address + range.length; ++a) {
                    ASSERT_EQ(images.options[a], base.options[a])
                        << "seed " << seed << " untouched byte " << a;
                }
            }
            for (std::size_t t = 0; t < blk::count; ++t) {
                const uint32_t block = blk::blockOf(t) - configBase;
                ASSERT_EQ(images.configuration[block + blk::untouchedOffset],
                          base.configuration[block + blk::untouchedOffset]);
                for (const memory_map::BitField bits : blk::preservedFlagBits) {
                    ASSERT_EQ(images.configuration[block + bits.address] & bits.mask,
                              base.configuration[block + bits.address] & bits.mask)
                        << "seed " << seed << " table " << t << " flag byte " << bits.address;
                }
            }
        }
    }
}
