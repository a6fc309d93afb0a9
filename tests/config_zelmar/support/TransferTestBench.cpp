#include "TransferTestBench.h"

#include "panel_emulator/EmulatedPort.h"

#include <random>
#include <string>

namespace transfer_test {

using namespace config_zelmar;

namespace {

// Passes everything to the emulated port and remembers the baud rate the host last set.
class RateRecordingPort : public rs485::SerialPort
{
public:
    RateRecordingPort(std::unique_ptr<rs485::SerialPort> port, std::shared_ptr<uint32_t> rate,
                      std::shared_ptr<std::function<void()>> beforeWrite)
        : inner(std::move(port)), rate(std::move(rate)), beforeWrite(std::move(beforeWrite))
    {}

    bool open(const std::string& name) override { return inner->open(name); }
    bool isOpen() const override { return inner->isOpen(); }
    bool close() override { return inner->close(); }
    bool applyLineSettings(const rs485::LineSettings& settings) override
    {
        const bool applied = inner->applyLineSettings(settings);
        if (applied) {
            *rate = settings.baudRate;
        }
        return applied;
    }
    bool readLineSettings(rs485::LineSettings& settings) override
    {
        return inner->readLineSettings(settings);
    }
    void setReadTimeout(uint32_t milliseconds) override { inner->setReadTimeout(milliseconds); }
    long write(const uint8_t* data, std::size_t count) override
    {
        if (*beforeWrite) {
            (*beforeWrite)();
        }
        return inner->write(data, count);
    }
    bool drain() override { return inner->drain(); }
    long read(uint8_t* buffer, std::size_t count) override { return inner->read(buffer, count); }
    bool purge(bool transmit, bool receive) override { return inner->purge(transmit, receive); }

private:
    std::unique_ptr<rs485::SerialPort> inner;
    std::shared_ptr<uint32_t> rate;
    std::shared_ptr<std::function<void()>> beforeWrite;
};

rs485::PortFactory recordingFactory(panel_emulator::PanelEmulator& panel,
                                    std::shared_ptr<panel_emulator::SimulatedClock> clock,
                                    std::shared_ptr<uint32_t> rate,
                                    std::shared_ptr<std::function<void()>> beforeWrite)
{
    rs485::PortFactory emulated = panel_emulator::EmulatedPort::factory(panel, std::move(clock));
    return [emulated, rate, beforeWrite](const std::string& name) -> std::unique_ptr<rs485::SerialPort> {
        return std::make_unique<RateRecordingPort>(emulated(name), rate, beforeWrite);
    };
}

std::u16string numbered(const std::u16string& prefix, int n)
{
    const std::string digits = std::to_string(n);
    return prefix + std::u16string(digits.begin(), digits.end());
}

std::shared_ptr<DeviceNames> namesFor(int console, int device, uint32_t table)
{
    auto names = std::make_shared<DeviceNames>();
    names->eventTable = table;
    names->deviceName = numbered(u"Дверь ", console * 1000 + device);
    names->outsName = numbered(u"Bыxoд ", device);
    names->loop1Name = numbered(u"Шлeйф 1/", device);
    names->loop2Name = numbered(u"Шлeйф 2/", device);
    names->line3Name = numbered(u"Л.c.3/", device);
    names->line4Name = numbered(u"Л.c.4/", device);
    return names;
}

void addCustomTables(Configuration& configuration)
{
    configuration.eventTables.clear();
    configuration.eventTables.push_back(Configuration::defaultEventTable);
    for (int t = 1; t < 16; ++t) {
        EventTable table;
        table.name = numbered(u"Tабл ", t);
        table.texts[static_cast<std::size_t>(t)] = numbered(u"ЖДУ ", t);
        table.emergency[static_cast<std::size_t>(t)] = !table.emergency[static_cast<std::size_t>(t)];
        configuration.eventTables.push_back(table);
    }
}

} // namespace

void RecordingProgress::setProgress(float fraction)
{
    fractions.push_back(fraction);
    if (onReport) {
        onReport(fractions.size());
    }
}

TransferTestBench::TransferTestBench()
    : clock(std::make_shared<panel_emulator::SimulatedClock>()), hostBaudRate(std::make_shared<uint32_t>(0)),
      beforeHostWrite(std::make_shared<std::function<void()>>()), transfer(makeTransfer())
{}

std::unique_ptr<ConfigZelmar> TransferTestBench::makeTransfer()
{
    return std::make_unique<ConfigZelmar>(recordingFactory(panel, clock, hostBaudRate, beforeHostWrite),
                                          panel_emulator::EmulatedPort::sleepFunction(clock),
                                          [this] { return today; });
}

void TransferTestBench::restart()
{
    const bool raised = transfer->raisedSpeed();
    const WriteOptions options = transfer->writeOptions();
    transfer = makeTransfer();
    transfer->setRaisedSpeed(raised);
    transfer->setWriteOptions(options);
    transfer->setImageStore(store);
}

void TransferTestBench::useStore(std::shared_ptr<ImageStore> imageStore)
{
    store = std::move(imageStore);
    transfer->setImageStore(store);
}

std::optional<unsigned> TransferTestBench::run(const std::function<void()>& transferCall)
{
    if (!transfer->open(panel_emulator::EmulatedPort::defaultName)) {
        return ConfiguratorError::ConverterLost;
    }
    std::optional<unsigned> error;
    try {
        transferCall();
    } catch (const ConfiguratorError& failure) {
        error = failure.code();
    }
    transfer->close();
    return error;
}

std::optional<unsigned> TransferTestBench::read(Configuration& configuration, ProgressHandler* progress)
{
    return run([&] { transfer->readConfiguration(configuration, progress); });
}

std::optional<unsigned> TransferTestBench::write(Configuration& configuration, ProgressHandler* progress)
{
    return run([&] { transfer->writeConfiguration(configuration, progress); });
}

rs485::PortFactory TransferTestBench::portFactory()
{
    return recordingFactory(panel, clock, hostBaudRate, beforeHostWrite);
}

void TransferTestBench::armFaultsAtCommand(std::size_t loggedCommands,
                                           const panel_emulator::PanelFaults& faults)
{
    *beforeHostWrite = [this, loggedCommands, faults] {
        if (panel.log().commands.size() == loggedCommands) {
            panel.setFaults(faults);
            *beforeHostWrite = nullptr;
        }
    };
}

std::vector<uint8_t> TransferTestBench::options() const
{
    return panel.memory(1).bytes();
}

std::vector<uint8_t> TransferTestBench::configuration() const
{
    return panel.memory(0).bytes();
}

void TransferTestBench::fillRandom(unsigned seed)
{
    std::mt19937 random(seed);
    for (int space : {0, 1}) {
        panel_emulator::PanelMemory& memory = panel.memory(space);
        for (std::size_t i = 0; i < memory.size(); ++i) {
            memory.setByteAt(memory.baseAddress() + static_cast<uint32_t>(i), static_cast<uint8_t>(random()));
        }
    }
    panel.memory(1).setByteAt(0x04, 0xB2);
    panel.memory(1).setByteAt(0x02, 20); // an earlier year than today's, so the stamp moves on
}

std::vector<uint8_t> TransferTestBench::commandCodes() const
{
    std::vector<uint8_t> codes;
    for (const panel_emulator::LoggedCommand& command : panel.log().commands) {
        codes.push_back(command.code);
    }
    return codes;
}

Configuration maximalCentralConfiguration()
{
    Configuration configuration;
    configuration.setPultType(true);
    configuration.individualReset = false;
    configuration.pultAddress = 7;
    for (int p = 1; p <= 24; ++p) {
        Section section;
        section.address = p;
        section.group = 1 + p % 7;
        section.dubler = true;
        section.name = numbered(u"Пульт ", p);
        section.dublerName = numbered(u"Дублёр ", p);
        const int lastDevice = p == 24 ? 16 : 12; // 292 device records: the pool is full to its last record
        for (int a = 1; a <= lastDevice; ++a) {
            Device device;
            device.address = a;
            device.zone = 1; // a central console does not store zones
            device.names = namesFor(p, a, static_cast<uint32_t>(a % 16));
            section.devices[a] = device;
        }
        configuration.sections[p] = section;
    }
    for (int i = 0; i < 64; ++i) {
        Command command(true);
        command.name = numbered(u"Команда ", i);
        command.setConsoleAddress(1 + i % 24);
        command.setOutputOn(1 + i % 8, true);
        configuration.commands.push_back(command);
    }
    addCustomTables(configuration);
    configuration.lcdCorrection();
    return configuration;
}

Configuration maximalSectionConfiguration()
{
    Configuration configuration;
    configuration.voltage = true;
    configuration.pultAddress = 3;
    configuration.clockSyncHour = 23;
    Section& own = configuration.sections[0];
    for (int a = 1; a <= 127; ++a) {
        Device device;
        device.address = a;
        device.zone = 1 + a % 15;
        device.names = namesFor(0, a, static_cast<uint32_t>(a % 16));
        own.devices[a] = device;
    }
    for (int i = 0; i < 5; ++i) {
        Command command(false);
        command.name = numbered(u"Сброс ", i);
        command.setDeviceAddress(i + 1);
        command.setAlarmCancel(true);
        configuration.commands.push_back(command);
    }
    addCustomTables(configuration);
    configuration.lcdCorrection();
    return configuration;
}

} // namespace transfer_test
