// The emulate subcommand: an emulated panel on a pseudo-terminal or a serial port.
#include "ArgumentParser.h"
#include "CliError.h"
#include "Commands.h"
#include "ExitStatus.h"
#include "FileAccess.h"
#include "HelpTexts.h"
#include "OutputFiles.h"
#include "PortOpening.h"
#include "StopSignals.h"

#include "config_zelmar/PanelDescription.h"
#include "panel_emulator/PanelEmulator.h"
#include "panel_emulator/PtyPanelServer.h"
#include "panel_emulator/SerialPanelServer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>

namespace zelmar_cli {

namespace {

using Option = ArgumentParser::Option;
using Presence = ArgumentParser::Presence;
using Value = ArgumentParser::Value;
using panel_emulator::LoggedCommand;
using panel_emulator::PanelEmulator;

constexpr uint8_t finishCommand = 0xF4;
constexpr uint8_t successStatus = 0xA0;
constexpr int stopCheckMilliseconds = 100;

struct EmulatorFiles
{
    std::string saveOptions;
    std::string saveConfig;
};

void loadMemory(panel_emulator::PanelMemory& memory, const std::string& path)
{
    memory.write(memory.baseAddress(), FileAccess::readImage(path, memory.size()));
}

// A valid empty panel: the firmware code and nothing else.
void prepareMemories(PanelEmulator& panel, const ArgumentParser& parser)
{
    panel.memory(1).fill(0xFF);
    namespace facts = config_zelmar::panel_description;
    panel.memory(1).setByteAt(facts::firmwareCodeAddress, facts::firmwareCode);
    if (parser.has("--options")) {
        loadMemory(panel.memory(1), parser.value("--options"));
    }
    if (parser.has("--config")) {
        loadMemory(panel.memory(0), parser.value("--config"));
    }
}

QByteArray bytesOf(const panel_emulator::PanelMemory& memory)
{
    return QByteArray(reinterpret_cast<const char*>(memory.bytes().data()), static_cast<int>(memory.size()));
}

void applyFaults(PanelEmulator& panel, const ArgumentParser& parser)
{
    std::string script;
    for (const std::string& item : parser.all("--fault")) {
        script += (script.empty() ? "" : ",") + item;
    }
    try {
        panel.applyFaultScript(script);
    } catch (const std::invalid_argument& error) {
        throw CliError(UsageError, std::string("emulate: bad --fault: ") + error.what());
    }
}

std::vector<FileAccess::OutputContent> memoryFiles(const PanelEmulator& panel, const EmulatorFiles& files)
{
    std::vector<FileAccess::OutputContent> contents;
    if (!files.saveOptions.empty()) {
        contents.emplace_back(files.saveOptions, bytesOf(panel.memory(1)));
    }
    if (!files.saveConfig.empty()) {
        contents.emplace_back(files.saveConfig, bytesOf(panel.memory(0)));
    }
    return contents;
}

// Both memories are saved, or neither. False when they could not be; the message is already on
// standard error.
bool saveMemories(const PanelEmulator& panel, const EmulatorFiles& files)
{
    try {
        FileAccess::writeFiles(memoryFiles(panel, files));
        return true;
    } catch (const CliError& error) {
        std::fprintf(stderr, "zelmar-cli: %s\n", error.what());
        return false;
    }
}

// An output that is not a regular file, or whose folder cannot take it, is refused before serving: the
// temporary files are created and removed again.
void checkSaveFiles(const EmulatorFiles& files)
{
    std::vector<std::string> paths;
    for (const std::string& path : {files.saveOptions, files.saveConfig}) {
        if (!path.empty()) {
            paths.push_back(path);
        }
    }
    const OutputFiles probe(paths);
}

// The commands the panel received, by name, for the line printed when the emulator ends.
class CommandCount
{
public:
    void add(uint8_t code) { ++counts[code]; }
    std::string text() const
    {
        const std::pair<uint8_t, const char*> names[] = {{0xF1, "identify"}, {0xF2, "read"},
                                                         {0xF3, "write"},    {0xF6, "checksum"},
                                                         {0xF5, "speed"},    {0xF4, "finish"}};
        std::string line;
        for (const auto& [code, name] : names) {
            const auto found = counts.find(code);
            line += (line.empty() ? "" : ", ") + std::string(name) + " " +
                    std::to_string(found == counts.end() ? 0 : found->second);
        }
        return line;
    }

private:
    std::map<uint8_t, int> counts;
};

template <typename Server> int serve(Server& server, PanelEmulator& panel, const EmulatorFiles& files)
{
    bool saved = true;
    CommandCount received;
    server.setCommandObserver([&](const LoggedCommand& command) {
        received.add(command.code);
        if (command.code == finishCommand && command.answerStatus == successStatus) {
            saved = saveMemories(panel, files) && saved;
        }
    });
    StopSignals::install(true); // a signal also ends a wait of the server at once
    while (!StopSignals::received()) {
        if (!server.serveOnce(stopCheckMilliseconds)) {
            std::fprintf(stderr, "zelmar-cli: emulate: the link has dropped\n");
            break;
        }
    }
    server.close();
    std::fprintf(stderr, "zelmar-cli: emulate: stopped with the panel at %u baud; commands received: %s\n",
                 panel.baudRate(), received.text().c_str());
    saved = saveMemories(panel, files) && saved;
    return saved ? Success : FileError;
}

int servePty(PanelEmulator& panel, const EmulatorFiles& files)
{
    panel_emulator::PtyPanelServer server(panel);
    if (!server.open()) {
        throw CliError(PortError,
                       std::string("emulate: cannot create a pseudo-terminal: ") + std::strerror(errno));
    }
    std::printf("%s\n", server.slavePath().c_str());
    std::fflush(stdout);
    return serve(server, panel, files);
}

int servePort(PanelEmulator& panel, const std::string& port, const EmulatorFiles& files)
{
    panel_emulator::SerialPanelServer server(panel);
    if (!server.open(port)) {
        rs485::OpenFailure failure = rs485::OpenFailure::fromErrno(errno);
        failure.nameHolder(port);
        throw CliError(PortError, portOpenMessage(port, failure));
    }
    return serve(server, panel, files);
}

} // namespace

int runEmulate(const Arguments& arguments)
{
    ArgumentParser parser("emulate",
                          {{"--pty", "", false, false},
                           {"--port", "", true, false},
                           {"--options", "", true, false},
                           {"--config", "", true, false},
                           {"--save-options", "", true, false, Presence::optional, Value::outputFile},
                           {"--save-config", "", true, false, Presence::optional, Value::outputFile},
                           {"--fault", "", true, true}},
                          0, 0);
    parser.parse(arguments);
    if (parser.helpWanted()) {
        return printCommandHelp("emulate");
    }
    if (parser.has("--pty") == parser.has("--port")) {
        throw CliError(UsageError,
                       "emulate: give either --pty or --port PORT (see zelmar-cli emulate --help)");
    }
    PanelEmulator panel;
    applyFaults(panel, parser);
    prepareMemories(panel, parser);
    const EmulatorFiles files{parser.value("--save-options"), parser.value("--save-config")};
    checkSaveFiles(files);
    return parser.has("--pty") ? servePty(panel, files) : servePort(panel, parser.value("--port"), files);
}

} // namespace zelmar_cli
