// Commands: the 8 data bytes behind the typed accessors, the byte 3 rule and the description texts.
#include "config_zelmar/Command.h"

#include <gtest/gtest.h>

using namespace config_zelmar;
using Bytes = std::vector<uint8_t>;

TEST(Command, NewCommandsAddressDeviceOrConsoleOne)
{
    const Command section(false);
    EXPECT_EQ(section.data, (Bytes{0x81, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(section.description(false), u"Команда прибору 1: - .");
    EXPECT_EQ(section.description(true), u"Команда: - .");

    const Command central(true);
    EXPECT_EQ(central.data, (Bytes{0xC1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(central.description(false), u"Команда пульту 1: - .");
    EXPECT_EQ(central.description(true), u"Команда пульту 1: - .");
}

TEST(Command, SectionCommandToAllDevicesWithResetAndGroups)
{
    Command command(false);
    command.setDeviceAddress(0);
    command.setDeviceReset(true);
    command.setGroupCommand(0, true);
    command.setGroupCommand(3, true);
    EXPECT_EQ(command.data, (Bytes{0x00, 0x09, 0x01, 0, 0, 0, 0, 0}));
    EXPECT_EQ(command.description(false), u"Команда всем приборам: сброс; групповые команды 0, 3.");
    command.setGroupCommand(0, false);
    EXPECT_EQ(command.description(false), u"Команда всем приборам: сброс; групповая команда 3.");
}

TEST(Command, OutputsAndAlarmCancelCopyTheDeviceAddressIntoByte3)
{
    Command command(false);
    command.setDeviceAddress(5);
    command.setOutputOn(1, true);
    command.setOutputOn(2, true);
    EXPECT_EQ(command.data[0], 0x85);
    EXPECT_EQ(command.data[4], 0x03);
    EXPECT_EQ(command.data[3], 0x05);
    EXPECT_EQ(command.description(false), u"Команда прибору 5: включить выходы 1, 2.");
    command.setOutputOn(1, false);
    command.setOutputOn(2, false);
    EXPECT_EQ(command.data[3], 0x00);

    command.setAlarmCancel(true);
    EXPECT_EQ(command.data[3], 0x85);
    EXPECT_TRUE(command.alarmCancel());
    command.setDeviceAddress(9);
    EXPECT_EQ(command.data[3], 0x89);
    command.setAlarmCancel(false);
    EXPECT_EQ(command.data[3], 0x00);

    command.setOutputOff(8, true);
    EXPECT_EQ(command.data[3], 0x09);
    EXPECT_EQ(command.description(false), u"Команда прибору 9: выключить выход 8.");
}

TEST(Command, LoopAndOutputItems)
{
    Command command(false);
    command.setDeviceAddress(0);
    command.setLoopOff(1, true);
    command.setLoopOff(2, true);
    EXPECT_EQ(command.data[2], 0x84);
    EXPECT_EQ(command.description(false), u"Команда всем приборам: выключить шлейфы 1 и 2.");

    command.setLoopOff(1, false);
    command.setLoopOn(1, true);
    for (int output = 1; output <= 8; ++output) {
        command.setOutputOff(output, true);
    }
    command.setOutputOn(3, true);
    EXPECT_EQ(command.description(false), u"Команда всем приборам: включить шлейф 1; выключить шлейф 2; "
                                          u"включить выход 3; выключить все выходы.");
    command.setAlarmCancel(true);
    EXPECT_EQ(command.description(true), u"Команда: отмена тревоги; включить шлейф 1; выключить шлейф 2; "
                                         u"включить выход 3; выключить все выходы.");
}

TEST(Command, CentralCommandWithDevicePart)
{
    Command command(true);
    command.setConsoleAddress(0);
    command.setAlarmCancel(true);
    command.setDeviceAddress(7);
    command.setLoopOn(2, true);
    EXPECT_EQ(command.data, (Bytes{0x00, 0x00, 0x00, 0x01, 0x20, 0x07, 0x00, 0x00}));
    EXPECT_EQ(command.description(false),
              u"Команда всем пультам: отмена тревоги; команда прибору 7: включить шлейф 2.");

    command.setLoopOn(2, false);
    EXPECT_EQ(command.description(false), u"Команда всем пультам: отмена тревоги; команда прибору 7: - .");

    Command console(true, Bytes{0xC3, 0x8C, 0, 0, 0x01, 0x02, 0xFF, 0x05});
    EXPECT_EQ(console.description(false),
              u"Команда пульту 3: сброс; групповые команды 6, 7; команда прибору 2: "
              u"сброс; включить все выходы; выключить выходы 1, 3.");
}

TEST(Command, AccessorsOfTheOtherKindChangeNothing)
{
    Command central(true);
    central.setGroupCommand(2, true);
    central.setGroupCommand(5, true);
    EXPECT_FALSE(central.groupCommand(2));
    EXPECT_TRUE(central.groupCommand(5));
    EXPECT_EQ(central.data[1], 0x02);

    Command section(false);
    const Bytes before = section.data;
    section.setConsoleAddress(4);
    section.setConsoleReset(true);
    section.setLoopOn(3, true);
    section.setOutputOn(0, true);
    section.setOutputOn(9, true);
    section.setGroupCommand(8, true);
    EXPECT_EQ(section.data, before);
    EXPECT_EQ(section.consoleAddress(), 0);
    EXPECT_FALSE(section.loopOn(3));
}

TEST(Command, CentralAddressesStayInsideTheirBits)
{
    Command command(true);
    command.setConsoleAddress(65); // 6 bits: console 1
    EXPECT_EQ(command.data[0], 0xC1);
    EXPECT_EQ(command.consoleAddress(), 1);
    command.setConsoleAddress(-2);
    EXPECT_EQ(command.data[0], 0x00);

    command.setDeviceAddress(200); // 7 bits
    EXPECT_EQ(command.data[5], 200 & 0x7F);
    command.setDeviceAddress(-3);
    EXPECT_EQ(command.data[5], 0x00);
    EXPECT_EQ(command.description(false), u"Команда всем пультам: - .");
}

TEST(Command, GivenBytesAreKeptAndSizedToEight)
{
    EXPECT_EQ(Command(false, Bytes{0x01, 0x02}).data, (Bytes{0x01, 0x02, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Command(true, Bytes(12, 0xFF)).data, Bytes(8, 0xFF));
    Command shrunk(false);
    shrunk.data.clear(); // the field is public: accessors must stay in bounds
    shrunk.setOutputOn(1, true);
    EXPECT_EQ(shrunk.data.size(), 8u);
    EXPECT_TRUE(shrunk.outputOn(1));
}

TEST(Command, DefaultNames)
{
    EXPECT_EQ(Command::defaultName(12), u"Команда 12");
    EXPECT_EQ(Command::defaultName(0), u"Команда 0");
    EXPECT_EQ(Command::defaultName(-1), u"");
}
