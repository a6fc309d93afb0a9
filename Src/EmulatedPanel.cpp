#include "EmulatedPanel.h"

#include "EmulatedPortEnvironment.h"

#include "config_zelmar/ConfigZelmar.h"
#include "config_zelmar/Configuration.h"
#include "config_zelmar/PanelImageCodec.h"
#include "config_zelmar/PanelLinkCheck.h"
#include "panel_emulator/EmulatedPort.h"

const char* const EmulatedPanel::portName = "Эмулятор прибора";

EmulatedPanel::EmulatedPanel()
    : clock(std::make_shared<panel_emulator::SimulatedClock>()),
      emulatorPortInUse(std::make_shared<bool>(false))
{
    holdDefaultConfiguration();
}

// A panel as it leaves the factory: the default configuration, never written (date and counter 0), so
// that a first read shows what a new configuration holds and a first write stamps today's date.
void EmulatedPanel::holdDefaultConfiguration()
{
    panel_emulator::PanelMemory& options = emulator.memory(1);
    panel_emulator::PanelMemory& configuration = emulator.memory(0);
    const config_zelmar::PanelImages images = config_zelmar::encodeImages(
        config_zelmar::Configuration(), config_zelmar::PanelImages{options.bytes(), configuration.bytes()});
    options.write(options.baseAddress(), images.options);
    configuration.write(configuration.baseAddress(), images.configuration);
    const uint32_t dateAndCounter[] = {0x00, 0x01, 0x02, 0x03};
    for (const uint32_t address : dateAndCounter) {
        options.setByteAt(address, 0);
    }
}

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
    options.connectionCheck = connectionCheck(std::move(options.connectionCheck));
    if (!dataFolder) {
        dataFolder = std::make_unique<QTemporaryDir>();
    }
    options.dataFolder = dataFolder->isValid() ? dataFolder->path().toStdString() : std::string();
    return options;
}

// The emulator's round trips are timed on its simulated clock, a real port's on the steady clock.
ConnectionCheckSetup EmulatedPanel::connectionCheck(ConnectionCheckSetup machine)
{
    const config_zelmar::MonotonicClock steady = config_zelmar::steadyClock();
    const config_zelmar::MonotonicClock clock = [steady, simulated = this->clock, inUse = emulatorPortInUse] {
        return *inUse ? simulated->now() : steady();
    };
    machine.environment = std::make_shared<EmulatedPortEnvironment>(portName, machine.environment);
    machine.makePanelCheck = [this, clock] {
        return std::make_unique<config_zelmar::PanelLinkCheck>(portFactory(), sleepFunction(), clock);
    };
    return machine;
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
