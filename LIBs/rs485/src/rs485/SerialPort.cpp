#include "rs485/SerialPort.h"

#include "rs485/PosixSerialPort.h"

#include <chrono>
#include <thread>

namespace rs485 {

PortFactory posixPortFactory()
{
    return
        [](const std::string&) -> std::unique_ptr<SerialPort> { return std::make_unique<PosixSerialPort>(); };
}

SleepFunction realSleep()
{
    return
        [](uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); };
}

} // namespace rs485
