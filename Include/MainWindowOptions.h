#pragma once

#include "ConnectionCheckSetup.h"
#include "PortLister.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>
#include <string>

namespace config_zelmar {
class ConfigZelmar;
}

// What the main window talks to: the panel transfer, the port lists of the connection dialog and what
// the connection check talks to. The defaults are the real serial ports; tests and the --emulator
// option plug in the emulated panel.
struct MainWindowOptions
{
    using TransferFactory = std::function<std::unique_ptr<config_zelmar::ConfigZelmar>()>;

    // Empty: a transfer over the real serial ports.
    TransferFactory makeTransfer;
    PortLister portLister = PortLister::system();
    ConnectionCheckSetup connectionCheck = ConnectionCheckSetup::system();
    // The folder of the image store (known panel images and backups); empty: none, and no backups.
    std::string dataFolder;
    // Where the settings kept between runs live; empty: the user's settings of the configurator.
    QString settingsFile;
    // The local date and time, for naming a configuration read from the panel; empty: the system clock.
    std::function<QDateTime()> now;
};
