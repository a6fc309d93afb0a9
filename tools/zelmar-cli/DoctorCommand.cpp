// The doctor subcommand: the connection check on standard output.
#include "ArgumentParser.h"
#include "CliError.h"
#include "Commands.h"
#include "ExitStatus.h"
#include "HelpTexts.h"

#include "config_zelmar/ConnectionCheck.h"
#include "config_zelmar/PanelLinkCheck.h"
#include "config_zelmar/SystemPortEnvironment.h"
#include "rs485/RS485Connection.h"

#include <cstdio>

namespace zelmar_cli {

namespace {

using config_zelmar::CheckLine;
using config_zelmar::CheckStatus;

const char* statusWord(CheckStatus status)
{
    switch (status) {
    case CheckStatus::Ok:
        return "ok";
    case CheckStatus::Warning:
        return "warning";
    case CheckStatus::Error:
        break;
    }
    return "error";
}

void printLine(const CheckLine& line)
{
    std::printf("%s\t%s: %s\n", statusWord(line.status), line.title.c_str(), line.detail.c_str());
    std::fflush(stdout);
}

// The converter's port, else the only serial port there is; the connection dialog preselects the same.
std::string defaultPort()
{
    const std::vector<std::string> converters = rs485::RS485Connection::ftdiPorts();
    if (!converters.empty()) {
        return converters.front();
    }
    const std::vector<std::string> ports = rs485::RS485Connection::serialPorts();
    if (ports.size() == 1) {
        return ports.front();
    }
    throw CliError(PortError, "doctor: Преобразователь USB-RS485 не обнаружен. Укажите порт: --port PORT");
}

int exitStatusOf(const config_zelmar::ConnectionCheckResult& result)
{
    if (result.passed()) {
        return Success;
    }
    for (const CheckLine& line : result.lines) {
        if (line.status == CheckStatus::Error) {
            std::fprintf(stderr, "zelmar-cli: doctor: %s\n", line.detail.c_str());
        }
    }
    if (result.portUnusable) {
        return PortError;
    }
    return TransferErrorBase + static_cast<int>(*result.transferError);
}

} // namespace

int runDoctor(const Arguments& arguments)
{
    ArgumentParser parser("doctor", {{"--port", "", true, false}}, 0, 0);
    parser.parse(arguments);
    if (parser.helpWanted()) {
        return printCommandHelp("doctor");
    }
    const std::string port = parser.has("--port") ? parser.value("--port") : defaultPort();
    const config_zelmar::SystemPortEnvironment environment;
    config_zelmar::PanelLinkCheck panel;
    return exitStatusOf(config_zelmar::ConnectionCheck(environment, panel).run(port, printLine));
}

} // namespace zelmar_cli
