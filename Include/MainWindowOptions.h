#pragma once

#include "PortLister.h"

#include <functional>
#include <memory>
#include <string>

namespace config_zelmar {
class ConfigZelmar;
}

// What the main window talks to: the panel transfer and the port lists of the connection dialog. The
// defaults are the real serial ports; tests and the --emulator option plug in the emulated panel.
struct MainWindowOptions
{
    using TransferFactory = std::function<std::unique_ptr<config_zelmar::ConfigZelmar>()>;

    // Empty: a transfer over the real serial ports.
    TransferFactory makeTransfer;
    PortLister portLister = PortLister::system();
    // The folder of the image store (known panel images and backups); empty: none, and no backups.
    std::string dataFolder;
};
