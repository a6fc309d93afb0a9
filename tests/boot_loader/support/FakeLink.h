#pragma once

#include "support/FakePort.h"

#include "rs485/Byte9Stream.h"
#include "rs485/RS485Connection.h"

#include <memory>
#include <vector>

namespace test_support {

// A connection and a nine-bit stream over a scripted port, open at 19200 baud; sleeps are recorded.
struct FakeLink
{
    FakeLink()
        : state(std::make_shared<FakePortState>()),
          connection([state = state](const std::string&) { return std::make_unique<FakePort>(state); },
                     [this](uint32_t milliseconds) { sleeps.push_back(milliseconds); }),
          stream(connection)
    {
        connection.open("fake", 19200);
    }

    std::shared_ptr<FakePortState> state;
    std::vector<uint32_t> sleeps;
    rs485::RS485Connection connection;
    rs485::Byte9Stream stream;
};

} // namespace test_support
