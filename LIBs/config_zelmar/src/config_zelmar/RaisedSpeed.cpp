#include "config_zelmar/RaisedSpeed.h"

#include "config_zelmar/PanelDescription.h"
#include "config_zelmar/TransferCancelled.h"

#include "boot_loader/BootloaderException.h"
#include "boot_loader/BootloaderProtocol.h"
#include "rs485/RS485Connection.h"

namespace config_zelmar {

namespace panel = panel_description;
using boot_loader::BootloaderException;

RaisedSpeed::RaisedSpeed(rs485::RS485Connection& connection, boot_loader::BootloaderProtocol& protocol)
    : connection(connection), protocol(protocol)
{}

// A command stopped before it was sent changed nothing; any other failure may have switched the panel.
void RaisedSpeed::enter()
{
    if (!raised) {
        return;
    }
    entered = true;
    try {
        protocol.setSpeed(panel::raisedSpeedDivisor);
    } catch (const TransferCancelled&) {
        entered = false;
        throw;
    }
    connection.setBaudRate(panel::raisedBaudRate);
}

// When the speed command fails, the panel may or may not have changed its rate (a command can be carried
// out and its answer lost), so the command is tried at the normal rate as well; the host always ends at
// the normal rate.
void RaisedSpeed::leave() noexcept
{
    if (!entered) {
        return;
    }
    entered = false;
    const uint32_t rates[] = {panel::raisedBaudRate, panel::normalBaudRate};
    for (const uint32_t rate : rates) {
        connection.setBaudRate(rate);
        try {
            protocol.setSpeed(panel::normalSpeedDivisor);
            break;
        } catch (const BootloaderException& exception) {
            if (exception.code() == BootloaderException::PortFailure) {
                break; // the link is gone; nothing more can be told to the panel
            }
        } catch (...) {
            break;
        }
    }
    connection.setBaudRate(panel::normalBaudRate);
}

void RaisedSpeed::followFinish()
{
    if (entered) {
        connection.setBaudRate(panel::normalBaudRate);
    }
    entered = false;
}

bool RaisedSpeed::bringBackFromRaised()
{
    const int32_t attempts = protocol.attempts();
    const auto backToNormal = [this, attempts] {
        protocol.setAttempts(attempts);
        connection.setBaudRate(panel::normalBaudRate);
    };
    protocol.setAttempts(1);
    connection.setBaudRate(panel::raisedBaudRate);
    bool answered = false;
    try {
        protocol.setSpeed(panel::normalSpeedDivisor);
        answered = true;
    } catch (const BootloaderException&) {
    } catch (...) {
        backToNormal();
        throw;
    }
    backToNormal();
    return answered;
}

} // namespace config_zelmar
