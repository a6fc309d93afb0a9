#include "support/FakeSerialPort.h"

#include <algorithm>

namespace rs485::testing {

bool FakeSerialPort::open(const std::string&)
{
    record->calls.push_back("open");
    record->isOpen = record->openSucceeds;
    return record->isOpen;
}

bool FakeSerialPort::close()
{
    ++record->closes;
    record->isOpen = false;
    return !record->closeFails;
}

bool FakeSerialPort::applyLineSettings(const LineSettings& settings)
{
    record->calls.push_back("apply");
    if (!record->applySucceeds) {
        return false;
    }
    record->line = settings;
    record->appliedSettings.push_back(settings);
    return true;
}

bool FakeSerialPort::readLineSettings(LineSettings& settings)
{
    settings = record->line;
    return record->readSettingsSucceeds;
}

long FakeSerialPort::write(const uint8_t* data, std::size_t count)
{
    record->calls.push_back("write");
    if (record->writeFails) {
        return -1;
    }
    record->writes.push_back(WrittenRun{std::vector<uint8_t>(data, data + count), record->line.parity});
    return static_cast<long>(count);
}

bool FakeSerialPort::drain()
{
    record->calls.push_back("drain");
    return !record->drainFails;
}

long FakeSerialPort::read(uint8_t* buffer, std::size_t count)
{
    record->calls.push_back("read");
    if (record->readFails) {
        return -1;
    }
    const std::size_t available = std::min({count, record->incoming.size(), record->largestReadChunk});
    std::copy_n(record->incoming.begin(), available, buffer);
    record->incoming.erase(record->incoming.begin(), record->incoming.begin() + static_cast<long>(available));
    return static_cast<long>(available);
}

bool FakeSerialPort::purge(bool transmit, bool receive)
{
    record->calls.push_back(std::string("purge") + (transmit ? " tx" : "") + (receive ? " rx" : ""));
    return true;
}

FakeLink::FakeLink()
    : connection(
          [this](const std::string&) -> std::unique_ptr<SerialPort> {
              ++port->portsCreated;
              return std::make_unique<FakeSerialPort>(port);
          },
          [this](uint32_t milliseconds) {
              port->sleeps.push_back(milliseconds);
              port->calls.push_back("sleep " + std::to_string(milliseconds));
          })
{}

void FakeLink::arrive(const std::vector<uint8_t>& bytes)
{
    port->incoming.insert(port->incoming.end(), bytes.begin(), bytes.end());
}

} // namespace rs485::testing
