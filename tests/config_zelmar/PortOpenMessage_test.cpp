// The Russian texts that say why a port did not open, each with its remedy, and the system facts they
// rest on: the configurator's udev rule in any of udev's rule folders.
#include "support/FakePortEnvironment.h"

#include "config_zelmar/PortOpenMessage.h"
#include "config_zelmar/SystemPortEnvironment.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

namespace config_zelmar {
namespace {

using rs485::OpenFailure;
using testing::FakePortEnvironment;

OpenFailure busyHeldBy(int pid, const std::string& name)
{
    OpenFailure failure = OpenFailure::fromErrno(EBUSY);
    failure.holderPid = pid;
    failure.holderName = name;
    return failure;
}

TEST(PortOpenMessage, EachCauseIsSaidWithItsRemedy)
{
    struct Case
    {
        const char* what;
        OpenFailure failure;
        std::function<void(FakePortEnvironment&)> environment;
        std::string text;
    };
    const auto none = [](FakePortEnvironment&) {};
    const Case cases[] = {
        {"missing", OpenFailure::fromErrno(ENOENT), none,
         "Порт /dev/ttyUSB0 не найден. Преобразователь отключён?"},
        {"permission", OpenFailure::fromErrno(EACCES), none,
         "Нет доступа к порту /dev/ttyUSB0. Добавьте пользователя в группу dialout (sudo usermod -aG dialout "
         "tech) и войдите в систему заново."},
        {"permission, user unknown", OpenFailure::fromErrno(EACCES),
         [](FakePortEnvironment& e) { e.user.clear(); },
         "Нет доступа к порту /dev/ttyUSB0. Добавьте пользователя в группу dialout (sudo usermod -aG dialout "
         "$USER) и войдите в систему заново."},
        {"permission, rule installed, converter", OpenFailure::fromErrno(EACCES),
         [](FakePortEnvironment& e) {
             e.udevRule = true;
             e.describeFtdi("/dev/ttyUSB0");
         },
         "Нет доступа к порту /dev/ttyUSB0. Отключите преобразователь и подключите его снова: тогда правило "
         "udev конфигуратора даст доступ к нему."},
        {"permission, rule installed, other port", OpenFailure::fromErrno(EPERM),
         [](FakePortEnvironment& e) { e.udevRule = true; },
         "Нет доступа к порту /dev/ttyUSB0. Добавьте пользователя в группу dialout (sudo usermod -aG dialout "
         "tech) и войдите в систему заново."},
        {"busy, holder seen", busyHeldBy(4711, "minicom"), none,
         "Порт /dev/ttyUSB0 занят программой minicom (PID 4711)."},
        {"busy, holder hidden", OpenFailure::fromErrno(EBUSY), none,
         "Порт /dev/ttyUSB0 занят другой программой."},
        {"not a serial port", OpenFailure::fromErrno(ENOTTY), none,
         "/dev/ttyUSB0 не является последовательным портом."},
        {"rate refused", OpenFailure::rateRefused(19200), none,
         "Порт /dev/ttyUSB0 не принимает скорость 19200 бод."},
        {"other, with the system's text", OpenFailure::fromErrno(EIO), none,
         "Ошибка при открытии порта /dev/ttyUSB0: Input/output error."},
        {"other, nothing known", OpenFailure::other({}), none, "Ошибка при открытии порта /dev/ttyUSB0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePortEnvironment environment;
        c.environment(environment);
        EXPECT_EQ(PortOpenMessage::text("/dev/ttyUSB0", c.failure, environment), c.text);
    }
}

TEST(SystemPortEnvironment, FindsTheUdevRuleInEveryRuleFolder)
{
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("zelmar-rules-" + std::to_string(std::random_device()()));
    const char* folders[] = {"etc/udev/rules.d", "usr/lib/udev/rules.d", "lib/udev/rules.d",
                             "usr/local/lib/udev/rules.d"};
    for (const char* folder : folders) {
        SCOPED_TRACE(folder);
        std::filesystem::remove_all(root);
        SystemPortEnvironment::Roots roots;
        roots.system = root;
        std::filesystem::create_directories(root / folder);
        std::ofstream(root / folder / "60-other.rules") << "\n";
        EXPECT_FALSE(SystemPortEnvironment(roots).udevRuleInstalled());
        std::ofstream(root / folder / SystemPortEnvironment::udevRuleName) << "\n";
        EXPECT_TRUE(SystemPortEnvironment(roots).udevRuleInstalled());
    }
    std::filesystem::remove_all(root);
}

} // namespace
} // namespace config_zelmar
