#pragma once

#include "MainWindowOptions.h"

#include "panel_emulator/PanelEmulator.h"
#include "panel_emulator/SimulatedClock.h"
#include "rs485/SerialPort.h"

#include <QTemporaryDir>

#include <memory>

// A panel emulated inside the program, for trying reads and writes without hardware (--emulator). It
// appears as one more port in the connection dialog; its memories live as long as this object, so a
// write followed by a read shows the written data. Real ports keep working beside it.
class EmulatedPanel
{
public:
    static const char* const portName;

    EmulatedPanel();

    EmulatedPanel(const EmulatedPanel&) = delete;
    EmulatedPanel& operator=(const EmulatedPanel&) = delete;

    // The given options with the emulator's port added to the port list, a transfer and a connection
    // check that reach the emulator by its port name, and an image store of its own in a temporary
    // folder, so that trying the program leaves nothing among the backups of real panels. The options
    // must not outlive this object.
    MainWindowOptions attachTo(MainWindowOptions options);

    panel_emulator::PanelEmulator& panel() { return emulator; }

private:
    void holdDefaultConfiguration();
    rs485::PortFactory portFactory();
    rs485::SleepFunction sleepFunction();
    ConnectionCheckSetup connectionCheck(ConnectionCheckSetup machine);

    panel_emulator::PanelEmulator emulator;
    // Made when the panel is attached, so that a program started without --emulator creates none.
    std::unique_ptr<QTemporaryDir> dataFolder;
    std::shared_ptr<panel_emulator::SimulatedClock> clock;
    // Whether the port opened last is the emulator's: its waits pass in simulated time, a real port's
    // in real time.
    std::shared_ptr<bool> emulatorPortInUse;
};
