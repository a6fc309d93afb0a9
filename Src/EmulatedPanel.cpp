#include "EmulatedPanel.h"

#include "config_zelmar/ConfigZelmar.h"
#include "panel_emulator/EmulatedPort.h"

const char* const EmulatedPanel::portName = "Эмулятор прибора";

EmulatedPanel::EmulatedPanel()
    : clock(std::make_shared<panel_emulator::SimulatedClock>()),
      emulatorPortInUse(std::make_shared<bool>(false))
{}

MainWindowOptions EmulatedPanel::attachTo(MainWindowOptions options)
{
    PortLister::List realSerialPorts = options.portLister.serialPorts;
    options.portLister.serialPorts = [realSerialPorts] {
        std::vector<std::string> ports{portName};
        if (realSerialPorts) {
            const std::vector<std::string> realPorts = realSerialPorts();
            ports.insert(ports.end(), realPorts.begin(), realPorts.end());
        }
        return ports;
    };
    options.makeTransfer = [this] {
        return std::make_unique<config_zelmar::ConfigZelmar>(portFactory(), sleepFunction(),
                                                             config_zelmar::systemLocalDate());
    };
    return options;
}

rs485::PortFactory EmulatedPanel::portFactory()
{
    const rs485::PortFactory emulatedPorts =
        panel_emulator::EmulatedPort::factory(emulator, clock, portName, rs485::posixPortFactory());
    return [emulatedPorts, inUse = emulatorPortInUse](const std::string& name) {
        *inUse = name == portName;
        return emulatedPorts(name);
    };
}

rs485::SleepFunction EmulatedPanel::sleepFunction()
{
    const rs485::SleepFunction simulatedSleep = panel_emulator::EmulatedPort::sleepFunction(clock);
    const rs485::SleepFunction realSleep = rs485::realSleep();
    return [simulatedSleep, realSleep, inUse = emulatorPortInUse](uint32_t milliseconds) {
        if (*inUse) {
            simulatedSleep(milliseconds);
        } else {
            realSleep(milliseconds);
        }
    };
}
