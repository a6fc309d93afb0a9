#include "config_zelmar/PanelLinkCheck.h"

#include "config_zelmar/ConfiguratorError.h"
#include "config_zelmar/MemoryMap.h"
#include "config_zelmar/PanelDescription.h"

#include "boot_loader/BootloaderException.h"
#include "boot_loader/BootloaderProtocol.h"
#include "boot_loader/MemoryPage.h"
#include "rs485/Byte9Stream.h"
#include "rs485/RS485Connection.h"

#include <chrono>
#include <utility>

namespace config_zelmar {

namespace map = memory_map;
using boot_loader::BootloaderException;

MonotonicClock steadyClock()
{
    return [] {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return std::chrono::duration<double, std::milli>(now).count();
    };
}

struct PanelLinkCheck::Parts
{
    Parts(rs485::PortFactory portFactory, rs485::SleepFunction sleep, MonotonicClock clock)
        : connection(std::move(portFactory), std::move(sleep)), clock(std::move(clock))
    {}

    rs485::RS485Connection connection;
    rs485::Byte9Stream stream{connection};
    boot_loader::BootloaderProtocol protocol{stream};
    MonotonicClock clock;
    boot_loader::BootloaderInfo identification;

    // Runs one protocol step; its failure becomes the transfer error a read or write would show.
    template <class Step> auto translated(Step step) -> decltype(step())
    {
        try {
            return step();
        } catch (const BootloaderException& exception) {
            throw ConfiguratorError(exception);
        }
    }
};

PanelLinkCheck::PanelLinkCheck()
    : PanelLinkCheck(rs485::posixPortFactory(), rs485::realSleep(), steadyClock())
{}

PanelLinkCheck::PanelLinkCheck(rs485::PortFactory portFactory, rs485::SleepFunction sleep,
                               MonotonicClock clock)
    : parts(std::make_unique<Parts>(std::move(portFactory), std::move(sleep), std::move(clock)))
{}

PanelLinkCheck::~PanelLinkCheck() = default;

bool PanelLinkCheck::open(const std::string& port)
{
    return parts->connection.open(port, panel_description::normalBaudRate);
}

const rs485::OpenFailure& PanelLinkCheck::lastOpenFailure() const
{
    return parts->connection.lastOpenFailure();
}

void PanelLinkCheck::close()
{
    parts->connection.close();
}

const boot_loader::BootloaderInfo& PanelLinkCheck::identify()
{
    Parts& p = *parts;
    p.identification = p.translated([&] { return p.protocol.refreshInfo(); });
    const boot_loader::BootloaderInfo& info = p.identification;
    if (info.version != panel_description::loaderVersion) {
        throw ConfiguratorError(ConfiguratorError::IncompatibleLoader);
    }
    if (info.deviceName != panel_description::deviceName || info.pageSize != panel_description::pageSize) {
        throw ConfiguratorError(ConfiguratorError::UnsupportedDevice);
    }
    return info;
}

const boot_loader::BootloaderInfo& PanelLinkCheck::lastIdentification() const
{
    return parts->identification;
}

double PanelLinkCheck::timePageRead()
{
    Parts& p = *parts;
    boot_loader::MemoryPage page(map::options::memory, map::options::base, map::pageSize);
    const double start = p.clock();
    p.translated([&] { p.protocol.readPage(page); });
    return p.clock() - start;
}

void PanelLinkCheck::raiseSpeed()
{
    Parts& p = *parts;
    p.translated([&] { p.protocol.setSpeed(panel_description::raisedSpeedDivisor); });
    if (!p.connection.setBaudRate(panel_description::raisedBaudRate)) {
        abandonRaisedSpeed();
        throw ConfiguratorError(ConfiguratorError::ConverterLost);
    }
}

void PanelLinkCheck::lowerSpeed()
{
    Parts& p = *parts;
    p.translated([&] { p.protocol.setSpeed(panel_description::normalSpeedDivisor); });
    p.connection.setBaudRate(panel_description::normalBaudRate);
    identify();
}

// The speed command may have been carried out with its answer lost, so the panel may be at either rate.
void PanelLinkCheck::abandonRaisedSpeed() noexcept
{
    Parts& p = *parts;
    for (const uint32_t rate : {panel_description::raisedBaudRate, panel_description::normalBaudRate}) {
        if (!p.connection.setBaudRate(rate)) {
            continue;
        }
        try {
            p.protocol.setSpeed(panel_description::normalSpeedDivisor);
            break;
        } catch (const BootloaderException&) {
        }
    }
    p.connection.setBaudRate(panel_description::normalBaudRate);
}

} // namespace config_zelmar
