#include "panel_emulator/SerialPanelSession.h"

#include "panel_emulator/PanelEmulator.h"

namespace panel_emulator {

SerialPanelSession::SerialPanelSession(PanelEmulator& panel) : emulator(&panel) {}

std::vector<SerialPanelSession::Answer> SerialPanelSession::receive(const uint8_t* data, std::size_t count,
                                                                    bool ninthBit, uint32_t hostBaudRate)
{
    std::vector<Answer> answers;
    const uint16_t ninth = ninthBit ? 0x100 : 0;
    for (std::size_t index = 0; index < count && !emulator->linkDropped(); ++index) {
        const uint32_t panelRate = emulator->baudRate();
        if (hostBaudRate != panelRate) {
            emulator->noteLostCharacter();
            continue;
        }
        std::vector<uint8_t> bytes = emulator->receive(static_cast<uint16_t>(data[index] | ninth));
        if (!bytes.empty()) {
            answers.push_back({std::move(bytes), panelRate});
        }
    }
    reportCommands();
    return answers;
}

bool SerialPanelSession::linkDropped() const
{
    return emulator->linkDropped();
}

void SerialPanelSession::reportCommands()
{
    if (commandObserver) {
        for (const LoggedCommand& command : emulator->log().commands) {
            commandObserver(command);
        }
    }
    emulator->clearLog();
}

} // namespace panel_emulator
