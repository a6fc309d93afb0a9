// The connection check against the emulated panel in simulated time: what each port finding does to the
// lines (an error ends the check, a hint does not), the transfer error of a panel that does not answer
// properly, and the page read timed at both speeds with the panel always left at 19200 baud.
#include "support/FakePortEnvironment.h"
#include "support/TransferTestBench.h"

#include "config_zelmar/ConfiguratorError.h"
#include "config_zelmar/ConnectionCheck.h"
#include "config_zelmar/PanelLinkCheck.h"
#include "panel_emulator/EmulatedPort.h"
#include "panel_emulator/PanelEmulator.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace config_zelmar {
namespace {

using testing::FakePortEnvironment;
using Statuses = std::vector<CheckStatus>;

constexpr CheckStatus ok = CheckStatus::Ok;
constexpr CheckStatus warning = CheckStatus::Warning;
constexpr CheckStatus error = CheckStatus::Error;
const std::string port = panel_emulator::EmulatedPort::defaultName;

// An emulated panel reached through a PanelLinkCheck in simulated time.
struct Bench
{
    transfer_test::TransferTestBench transferBench;
    panel_emulator::PanelEmulator& panel = transferBench.panel;
    std::shared_ptr<panel_emulator::SimulatedClock> clock = transferBench.clock;
    PanelLinkCheck link{transferBench.portFactory(), panel_emulator::EmulatedPort::sleepFunction(clock),
                        [this] { return clock->now(); }};
    FakePortEnvironment environment;

    ConnectionCheckResult run(const std::string& name = port)
    {
        return ConnectionCheck(environment, link).run(name, [this](const CheckLine& line) {
            reported.push_back(line.title);
        });
    }

    std::vector<std::string> reported;
};

Statuses statuses(const ConnectionCheckResult& result)
{
    Statuses all;
    for (const CheckLine& line : result.lines) {
        all.push_back(line.status);
    }
    return all;
}

std::vector<std::string> titles(const ConnectionCheckResult& result)
{
    std::vector<std::string> all;
    for (const CheckLine& line : result.lines) {
        all.push_back(line.title);
    }
    return all;
}

TEST(ConnectionCheck, AWorkingPortAndPanelPassEveryCheckInOrder)
{
    Bench bench;
    const ConnectionCheckResult result = bench.run();
    EXPECT_TRUE(result.passed());
    EXPECT_EQ(statuses(result), Statuses(10, ok));
    const std::vector<std::string> expected{"Наличие порта",
                                            "Права доступа",
                                            "Другие программы",
                                            "Открытие порта",
                                            "Задержка FTDI",
                                            "ModemManager",
                                            "Прибор на 19200 бод",
                                            "Чтение страницы на 19200 бод",
                                            "Чтение страницы на 345600 бод",
                                            "Возврат на 19200 бод"};
    EXPECT_EQ(titles(result), expected);
    EXPECT_EQ(bench.reported, expected) << "every line is handed on as it comes";
    EXPECT_EQ(result.lines[6].detail, "загрузчик 18, прибор Z-ZL3, страница 256 байт");
}

TEST(ConnectionCheck, PortFindingsStopTheCheckOrOnlyHint)
{
    struct Case
    {
        const char* what;
        std::function<void(Bench&)> setUp;
        std::string checkedPort;
        Statuses statuses;
        std::string detail; // of the last line that is not ok
        bool portUnusable;
    };
    const Statuses hintAt4{ok, ok, ok, ok, warning, ok, ok, ok, ok, ok};
    const Statuses hintAt5{ok, ok, ok, ok, ok, warning, ok, ok, ok, ok};
    const Case cases[] = {
        {"missing",
         [](Bench& b) { b.environment.portAccess = rs485::PortAccess(); },
         port,
         {error},
         "Порт emulated-panel не найден. Преобразователь отключён?",
         true},
        {"regular file", [](Bench& b) { b.environment.portAccess.characterDevice = false; }, port, {error},
         "emulated-panel не является последовательным портом.", true},
        {"no permission",
         [](Bench& b) {
             b.environment.portAccess.mayOpen = false;
             b.environment.portAccess.userInGroup = false;
         },
         port,
         {ok, error},
         "Нет доступа к порту emulated-panel. Добавьте пользователя в группу dialout (sudo usermod -aG "
         "dialout tech) и войдите в систему заново. (владелец tech, группа dialout, права crw-rw----)",
         true},
        {"held by another program",
         [](Bench& b) {
             b.environment.portHolders = {{4711, "minicom"}};
         },
         port,
         {ok, ok, error},
         "Порт emulated-panel занят программой minicom (PID 4711).",
         true},
        {"does not open",
         [](Bench&) {},
         "/dev/zelmar-not-emulated",
         {ok, ok, ok, error},
         "Ошибка при открытии порта /dev/zelmar-not-emulated",
         true},
        {"FTDI latency timer left at 16 ms",
         [](Bench& b) {
             b.environment.describeFtdi(port);
             b.environment.latency = 16;
         },
         port, hintAt4,
         "latency_timer 16 мс: драйвер не снизил задержку до 1 мс, и каждый ответ прибора приходит на 16 мс "
         "позже. "
         "Правило udev ставит 1 мс при подключении: ACTION==\"add\", SUBSYSTEM==\"usb-serial\", "
         "DRIVER==\"ftdi_sio\", ATTR{latency_timer}=\"1\"",
         false},
        {"FTDI latency timer lowered", [](Bench& b) { b.environment.latency = 1; }, port, Statuses(10, ok),
         "", false},
        {"ModemManager running", [](Bench& b) { b.environment.modemManager = true; }, port, hintAt5,
         "запущен: он открывает только что подключённые последовательные порты и может помешать обмену. "
         "Правило udev конфигуратора (ENV{ID_MM_DEVICE_IGNORE}=\"1\") отстраняет его от преобразователей "
         "FTDI; иначе остановите его: sudo systemctl stop ModemManager",
         false},
        {"ModemManager kept away by the rule",
         [](Bench& b) {
             b.environment.modemManager = true;
             b.environment.udevRule = true;
             b.environment.describeFtdi(port);
         },
         port, Statuses(10, ok), "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bench bench;
        c.setUp(bench);
        const ConnectionCheckResult result = bench.run(c.checkedPort);
        EXPECT_EQ(statuses(result), c.statuses);
        EXPECT_EQ(result.portUnusable, c.portUnusable);
        EXPECT_FALSE(result.transferError.has_value());
        std::string detail;
        for (const CheckLine& line : result.lines) {
            if (line.status != ok) {
                detail = line.detail;
            }
        }
        EXPECT_EQ(detail, c.detail);
        if (c.portUnusable) {
            EXPECT_TRUE(bench.panel.log().commands.empty()) << "nothing is sent on an unusable port";
        }
    }
}

TEST(ConnectionCheck, APanelThatDoesNotAnswerProperlyGivesTheTransferError)
{
    struct Case
    {
        const char* what;
        std::function<void(panel_emulator::PanelEmulator&)> setUp;
        std::size_t errorLine;
        unsigned code;
        std::string detail;
    };
    const Case cases[] = {
        {"silent", [](panel_emulator::PanelEmulator& p) { p.faults().silentCommands = 1000; }, 6,
         ConfiguratorError::NoAnswer, "Нет связи с прибором. Проверьте подключение."},
        {"older loader", [](panel_emulator::PanelEmulator& p) { p.identity().version = 17; }, 6,
         ConfiguratorError::IncompatibleLoader,
         "загрузчик 17, прибор Z-ZL3, страница 256 байт: Подключённый прибор не совместим с данной версией "
         "программы."},
        {"another device", [](panel_emulator::PanelEmulator& p) { p.identity().deviceName = "Z-ZL4"; }, 6,
         ConfiguratorError::UnsupportedDevice,
         "загрузчик 18, прибор Z-ZL4, страница 256 байт: Подключённый прибор не может быть настроен данной "
         "программой."},
        {"link lost at the first page", [](panel_emulator::PanelEmulator& p) { p.faults().dropAtPage = 1; },
         7, ConfiguratorError::ConverterLost, "Нет связи с преобразователем USB-RS485."},
        {"link lost at the raised speed", [](panel_emulator::PanelEmulator& p) { p.faults().dropAtPage = 2; },
         8, ConfiguratorError::ConverterLost, "Нет связи с преобразователем USB-RS485."},
        {"loader fault at the raised speed",
         [](panel_emulator::PanelEmulator& p) {
             // identification and the first page are answered; the speed command and all after it not
             p.faults().dropAfterCommands = 2;
         },
         8, ConfiguratorError::ConverterLost, "Нет связи с преобразователем USB-RS485."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bench bench;
        c.setUp(bench.panel);
        const ConnectionCheckResult result = bench.run();
        ASSERT_EQ(result.lines.size(), c.errorLine + 1);
        EXPECT_EQ(result.lines.back().status, error);
        EXPECT_EQ(result.lines.back().detail, c.detail);
        EXPECT_FALSE(result.portUnusable);
        EXPECT_EQ(result.transferError, c.code);
    }
}

double answerMilliseconds(const CheckLine& line)
{
    const std::string prefix = "ответ за ";
    EXPECT_EQ(line.detail.rfind(prefix, 0), 0u) << line.detail;
    return std::stod(line.detail.substr(prefix.size()));
}

TEST(ConnectionCheck, PageReadIsTimedAtBothSpeedsAndThePanelEndsAtTheNormalRate)
{
    Bench bench;
    const ConnectionCheckResult result = bench.run();
    ASSERT_EQ(result.lines.size(), 10u);
    // 259 answer characters of 11 bits: 148 ms at 19200 baud, 8 ms at 345600, plus the write guard.
    const double normal = answerMilliseconds(result.lines[7]);
    const double raised = answerMilliseconds(result.lines[8]);
    EXPECT_GE(normal, 148);
    EXPECT_LE(normal, 190);
    EXPECT_GE(raised, 8);
    EXPECT_LE(raised, 40);
    EXPECT_EQ(bench.panel.baudRate(), 19200u);
    EXPECT_EQ(*bench.transferBench.hostBaudRate, 19200u);
}

TEST(ConnectionCheck, AFailureAtTheRaisedSpeedLeavesPanelAndHostAtTheNormalRate)
{
    struct Case
    {
        const char* what;
        std::size_t armedAtCommand; // identification, page read, speed command, page read, speed command
        panel_emulator::PanelFaults faults;
        std::size_t errorLine;
    };
    panel_emulator::PanelFaults silentPage;
    silentPage.silentCommands = 3; // every attempt of the raised page read
    panel_emulator::PanelFaults silentReturn;
    silentReturn.silentCommands = 3; // every attempt of the speed command back to 19200
    const Case cases[] = {
        {"page read unanswered at 345600", 3, silentPage, 8},
        {"speed command back unanswered", 4, silentReturn, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bench bench;
        bench.transferBench.armFaultsAtCommand(c.armedAtCommand, c.faults);
        const ConnectionCheckResult result = bench.run();
        ASSERT_EQ(result.lines.size(), c.errorLine + 1);
        EXPECT_EQ(result.transferError, ConfiguratorError::NoAnswer);
        EXPECT_EQ(bench.panel.baudRate(), 19200u);
        EXPECT_EQ(*bench.transferBench.hostBaudRate, 19200u);
    }
}

} // namespace
} // namespace config_zelmar
