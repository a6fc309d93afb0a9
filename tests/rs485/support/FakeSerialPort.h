#pragma once

#include "rs485/RS485Connection.h"
#include "rs485/SerialPort.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace rs485::testing {

struct WrittenRun
{
    std::vector<uint8_t> bytes;
    Parity parity;
};

// What the test scripts and what the fake port records. Shared, so it outlives the port the connection owns.
struct FakePortRecord
{
    // Script
    bool openSucceeds = true;
    OpenFailure openFailure = OpenFailure::other({}); // reported when the open fails
    bool applySucceeds = true;
    bool readSettingsSucceeds = true;
    bool writeFails = false;
    bool drainFails = false;
    bool readFails = false;
    bool closeFails = false;
    std::size_t largestReadChunk = SIZE_MAX;
    std::deque<uint8_t> incoming;

    // Record
    bool isOpen = false;
    int portsCreated = 0;
    int closes = 0;
    uint32_t readTimeout = 0;
    LineSettings line;
    std::vector<LineSettings> appliedSettings;
    std::vector<WrittenRun> writes;
    // Every call in order: "open", "apply", "purge rx", "purge tx rx", "write", "drain", "read", "sleep N".
    std::vector<std::string> calls;
    std::vector<uint32_t> sleeps;
};

class FakeSerialPort : public SerialPort
{
public:
    explicit FakeSerialPort(std::shared_ptr<FakePortRecord> record) : record(std::move(record)) {}

    bool open(const std::string& name) override;
    OpenFailure openFailure() const override { return record->openFailure; }
    bool isOpen() const override { return record->isOpen; }
    bool close() override;
    bool applyLineSettings(const LineSettings& settings) override;
    bool readLineSettings(LineSettings& settings) override;
    void setReadTimeout(uint32_t milliseconds) override { record->readTimeout = milliseconds; }
    long write(const uint8_t* data, std::size_t count) override;
    bool drain() override;
    long read(uint8_t* buffer, std::size_t count) override;
    bool purge(bool transmit, bool receive) override;

private:
    std::shared_ptr<FakePortRecord> record;
};

// A connection over fake ports, with a sleep that only records.
struct FakeLink
{
    FakeLink();
    FakeLink(const FakeLink&) = delete;
    FakeLink& operator=(const FakeLink&) = delete;

    void arrive(const std::vector<uint8_t>& bytes);

    std::shared_ptr<FakePortRecord> port = std::make_shared<FakePortRecord>();
    RS485Connection connection;
};

} // namespace rs485::testing
