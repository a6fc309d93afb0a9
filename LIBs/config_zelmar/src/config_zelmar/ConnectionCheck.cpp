#include "config_zelmar/ConnectionCheck.h"

#include "config_zelmar/ConfiguratorError.h"
#include "config_zelmar/PanelDescription.h"
#include "config_zelmar/PanelLinkCheck.h"
#include "config_zelmar/PortEnvironment.h"
#include "config_zelmar/PortOpenMessage.h"

#include <cmath>

namespace config_zelmar {

namespace {

const char* const latencyRule =
    R"(ACTION=="add", SUBSYSTEM=="usb-serial", DRIVER=="ftdi_sio", ATTR{latency_timer}="1")";

std::string identificationText(const boot_loader::BootloaderInfo& info)
{
    return "загрузчик " + std::to_string(info.version) + ", прибор " + info.deviceName + ", страница " +
           std::to_string(info.pageSize) + " байт";
}

std::string answerTime(double milliseconds)
{
    return "ответ за " + std::to_string(std::lround(milliseconds)) + " мс";
}

std::string rateTitle(const char* what, uint32_t baudRate)
{
    return std::string(what) + " на " + std::to_string(baudRate) + " бод";
}

// Ports that are no device file (the emulated panel) have no owner and no mode to show.
std::string accessText(const rs485::PortAccess& access)
{
    if (access.mode.empty()) {
        return access.mayOpen ? "доступ есть" : "доступа нет";
    }
    return "владелец " + access.owner + ", группа " + access.group + ", права " + access.mode;
}

// Closes the checked port whatever the outcome.
class OpenedPanel
{
public:
    explicit OpenedPanel(PanelLinkCheck& panel) : panel(panel) {}
    ~OpenedPanel() { panel.close(); }
    OpenedPanel(const OpenedPanel&) = delete;
    OpenedPanel& operator=(const OpenedPanel&) = delete;

private:
    PanelLinkCheck& panel;
};

} // namespace

// The lines of one run, handed on as they come.
class ConnectionCheck::Run
{
public:
    Run(std::string port, const LineHandler& onLine) : port(std::move(port)), onLine(onLine) {}

    void add(CheckStatus status, std::string title, std::string detail)
    {
        result.lines.push_back(CheckLine{status, std::move(title), std::move(detail)});
        if (onLine) {
            onLine(result.lines.back());
        }
    }

    bool portError(std::string title, std::string detail)
    {
        add(CheckStatus::Error, std::move(title), std::move(detail));
        result.portUnusable = true;
        return false;
    }

    bool panelError(std::string title, std::string detail, unsigned code)
    {
        add(CheckStatus::Error, std::move(title), std::move(detail));
        result.transferError = code;
        return false;
    }

    // One step with the panel; its detail on success comes from the step itself.
    template <class Step> bool panelStep(const std::string& title, Step step)
    {
        try {
            add(CheckStatus::Ok, title, step());
            return true;
        } catch (const ConfiguratorError& error) {
            return panelError(title, error.what(), error.code());
        }
    }

    const std::string port;
    ConnectionCheckResult result;

private:
    const LineHandler& onLine;
};

ConnectionCheck::ConnectionCheck(const PortEnvironment& environment, PanelLinkCheck& panel)
    : environment(environment), panel(panel)
{}

ConnectionCheckResult ConnectionCheck::run(const std::string& port, const LineHandler& onLine)
{
    Run run(port, onLine);
    if (checkExists(run) && checkAccess(run) && checkHolders(run) && checkOpens(run)) {
        OpenedPanel opened(panel);
        checkLatency(run);
        checkModemManager(run);
        if (checkIdentification(run)) {
            checkSpeeds(run);
        }
    }
    return std::move(run.result);
}

bool ConnectionCheck::checkExists(Run& run) const
{
    const char* const title = "Наличие порта";
    const rs485::PortAccess access = environment.access(run.port);
    if (!access.exists) {
        return run.portError(title, PortOpenMessage::missing(run.port));
    }
    // Other programs may well hold a file or a folder open; that tells nothing about a port.
    if (!access.characterDevice) {
        return run.portError(title, PortOpenMessage::notASerialPort(run.port));
    }
    std::string detail = run.port;
    if (const std::optional<rs485::PortDescription> described = environment.description(run.port)) {
        if (!described->summary().empty()) {
            detail += " — " + described->summary();
        }
        if (described->path != run.port) {
            detail += "; устройство " + described->path;
        }
        if (!described->stableName.empty() && described->stableName != run.port) {
            detail += "; постоянное имя " + described->stableName;
        }
    }
    run.add(CheckStatus::Ok, title, detail);
    return true;
}

bool ConnectionCheck::checkAccess(Run& run) const
{
    const char* const title = "Права доступа";
    const rs485::PortAccess access = environment.access(run.port);
    if (!access.mayOpen) {
        return run.portError(title, PortOpenMessage::noPermission(run.port, environment) + " (" +
                                        accessText(access) + ")");
    }
    run.add(CheckStatus::Ok, title, accessText(access));
    return true;
}

bool ConnectionCheck::checkHolders(Run& run) const
{
    const char* const title = "Другие программы";
    const std::vector<rs485::ProcessEntry> holders = environment.holders(run.port);
    if (!holders.empty()) {
        return run.portError(title,
                             PortOpenMessage::busy(run.port, holders.front().pid, holders.front().name));
    }
    run.add(CheckStatus::Ok, title, "порт не открыт другими программами");
    return true;
}

bool ConnectionCheck::checkOpens(Run& run) const
{
    const char* const title = "Открытие порта";
    if (!panel.open(run.port)) {
        return run.portError(title, PortOpenMessage::text(run.port, panel.lastOpenFailure(), environment));
    }
    run.add(CheckStatus::Ok, title, rateTitle("открыт", panel_description::normalBaudRate));
    return true;
}

// Read with the port open: opening asks the driver for low latency, which sets the timer to 1 ms where
// the driver takes the request.
void ConnectionCheck::checkLatency(Run& run) const
{
    const char* const title = "Задержка FTDI";
    const std::optional<int> latency = environment.latencyTimer(run.port);
    if (!latency) {
        run.add(CheckStatus::Ok, title,
                environment.isFtdiConverter(run.port) ? "драйвер не сообщает задержку"
                                                      : "не преобразователь FTDI, проверка не нужна");
        return;
    }
    const std::string value = "latency_timer " + std::to_string(*latency) + " мс";
    if (*latency <= 1) {
        run.add(CheckStatus::Ok, title, value);
        return;
    }
    std::string remedy = "Правило udev ставит 1 мс при подключении: " + std::string(latencyRule);
    if (environment.udevRuleInstalled()) {
        remedy = "Правило udev конфигуратора установлено: отключите преобразователь и подключите его снова.";
    }
    run.add(CheckStatus::Warning, title,
            value + ": драйвер не снизил задержку до 1 мс, и каждый ответ прибора приходит на " +
                std::to_string(*latency) + " мс позже. " + remedy);
}

void ConnectionCheck::checkModemManager(Run& run) const
{
    const char* const title = "ModemManager";
    if (!environment.modemManagerRunning()) {
        run.add(CheckStatus::Ok, title, "не запущен");
        return;
    }
    if (environment.udevRuleInstalled() && environment.isFtdiConverter(run.port)) {
        run.add(CheckStatus::Ok, title,
                "запущен, но правило udev конфигуратора не даёт ему открывать преобразователь");
        return;
    }
    run.add(CheckStatus::Warning, title,
            "запущен: он открывает только что подключённые последовательные порты и может помешать обмену. "
            "Правило udev конфигуратора (ENV{ID_MM_DEVICE_IGNORE}=\"1\") отстраняет его от преобразователей "
            "FTDI; иначе остановите его: sudo systemctl stop ModemManager");
}

bool ConnectionCheck::checkIdentification(Run& run) const
{
    const std::string title = rateTitle("Прибор", panel_description::normalBaudRate);
    try {
        run.add(CheckStatus::Ok, title, identificationText(panel.identify()));
        return true;
    } catch (const ConfiguratorError& error) {
        // A panel that answered but is not one the configurator sets up: say what it is.
        const bool answered = error.code() == ConfiguratorError::IncompatibleLoader ||
                              error.code() == ConfiguratorError::UnsupportedDevice;
        const std::string told = answered ? identificationText(panel.lastIdentification()) + ": " : "";
        return run.panelError(title, told + error.what(), error.code());
    }
}

bool ConnectionCheck::checkSpeeds(Run& run) const
{
    namespace speed = panel_description;
    if (!run.panelStep(rateTitle("Чтение страницы", speed::normalBaudRate),
                       [&] { return answerTime(panel.timePageRead()); })) {
        return false;
    }
    const bool raised = run.panelStep(rateTitle("Чтение страницы", speed::raisedBaudRate), [&] {
        panel.raiseSpeed();
        return answerTime(panel.timePageRead());
    });
    const bool lowered = raised && run.panelStep(rateTitle("Возврат", speed::normalBaudRate), [&] {
        panel.lowerSpeed();
        return rateTitle("прибор снова отвечает", speed::normalBaudRate);
    });
    if (!lowered) {
        panel.abandonRaisedSpeed();
    }
    return lowered;
}

} // namespace config_zelmar
