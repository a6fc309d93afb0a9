// Serves arbitrary bytes as the panel loader's answer to one command and decodes it the way the
// protocol does: read, check, payload, number, identification record.

#include "boot_loader/Answer.h"
#include "boot_loader/BootloaderException.h"
#include "boot_loader/BootloaderInfo.h"
#include "rs485/Byte9Stream.h"
#include "rs485/RS485Connection.h"
#include "rs485/SerialPort.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

// A port that delivers the given bytes, then stays silent; it never waits.
class ReplayPort : public rs485::SerialPort
{
public:
    ReplayPort(const uint8_t* data, std::size_t size) : bytes(data, data + size) {}

    bool open(const std::string&) override { return opened = true; }
    bool isOpen() const override { return opened; }
    bool close() override
    {
        opened = false;
        return true;
    }
    bool applyLineSettings(const rs485::LineSettings& settings) override
    {
        line = settings;
        return true;
    }
    bool readLineSettings(rs485::LineSettings& settings) override
    {
        settings = line;
        return true;
    }
    void setReadTimeout(uint32_t) override {}
    long write(const uint8_t*, std::size_t count) override { return static_cast<long>(count); }
    bool drain() override { return true; }
    long read(uint8_t* buffer, std::size_t count) override
    {
        std::size_t received = 0;
        while (received < count && position < bytes.size()) {
            buffer[received++] = bytes[position++];
        }
        return static_cast<long>(received);
    }
    bool purge(bool, bool) override { return true; }

private:
    std::vector<uint8_t> bytes;
    std::size_t position = 0;
    rs485::LineSettings line;
    bool opened = false;
};

// The answer sizes the protocol awaits: an acknowledgement, a 32-bit number, the identification, a page.
constexpr std::size_t expectedSizes[] = {3, 7, 3 + boot_loader::BootloaderInfo::payloadSize, 3 + 256, 3 + 64};

void decodeIdentification(const std::vector<uint8_t>& payload)
{
    const boot_loader::BootloaderInfo info = boot_loader::BootloaderInfo::decode(payload);
    const boot_loader::BootloaderInfo again = boot_loader::BootloaderInfo::decode(info.encode());
    // Decoding what was encoded from a decoded record must give the same record.
    if (again.version != info.version || again.idBytes != info.idBytes || again.pageSize != info.pageSize ||
        again.extraWord != info.extraWord || again.deviceName != info.deviceName ||
        again.extraByte != info.extraByte) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::size_t expected = expectedSizes[data[0] % std::size(expectedSizes)];
    rs485::RS485Connection connection(
        [data, size](const std::string&) { return std::make_unique<ReplayPort>(data + 1, size - 1); },
        [](uint32_t) {});
    if (!connection.open("replay", 19200)) {
        return 0;
    }
    rs485::Byte9Stream stream(connection);
    boot_loader::Answer answer(expected);
    stream >> answer;

    bool intact = true;
    try {
        answer.check();
    } catch (const boot_loader::BootloaderException&) {
        intact = false;
    }
    const std::vector<uint8_t> payload = answer.payload();
    if (intact && payload.size() + 3 != expected) {
        std::abort(); // a checked answer must carry exactly the awaited payload
    }
    (void)answer.uint32Value();
    decodeIdentification(payload);
    decodeIdentification(std::vector<uint8_t>(data + 1, data + size));
    return 0;
}
