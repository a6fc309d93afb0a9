#pragma once

namespace boot_loader {
class BootloaderProtocol;
}
namespace rs485 {
class RS485Connection;
}

namespace config_zelmar {

// The raised speed (345600 baud) of a transfer, both sides: the panel switched by its speed command,
// then the host's port. Identification is always done at the normal rate (19200 baud).
class RaisedSpeed
{
public:
    RaisedSpeed(rs485::RS485Connection& connection, boot_loader::BootloaderProtocol& protocol);

    void setWanted(bool wanted) { raised = wanted; }
    bool wanted() const { return raised; }

    // Both sides to the raised rate, when it is wanted.
    void enter();
    // Both sides back to the normal rate, once entered (also when entering failed half-way). Never
    // throws: a failure here must not hide the error that ends the transfer.
    void leave() noexcept;
    // After finish the panel restarts at the normal rate by itself: only the host follows.
    void followFinish();
    // For a panel that does not answer at the normal rate: it may have been left at the raised rate by a
    // transfer that was cut off. Sends the speed command for the normal rate once at the raised rate;
    // true when the panel answered it (both sides are then at the normal rate again). Errors other than
    // the protocol's pass through, with the host back at the normal rate.
    bool bringBackFromRaised();

private:
    rs485::RS485Connection& connection;
    boot_loader::BootloaderProtocol& protocol;
    bool raised = false;
    // The speed command for the raised rate may have reached the panel.
    bool entered = false;
};

} // namespace config_zelmar
