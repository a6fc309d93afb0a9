#include "CliApplication.h"

#include "CliError.h"
#include "Commands.h"
#include "ExitStatus.h"
#include "HelpTexts.h"

#include "config_zelmar/ConfiguratorError.h"
#include "config_zelmar/TransferCancelled.h"

#include <cstdio>
#include <functional>
#include <map>
#include <new>
#include <stdexcept>

namespace zelmar_cli {

namespace {

using Command = std::function<int(const Arguments&)>;

const std::map<std::string, Command>& commands()
{
    static const std::map<std::string, Command> table{
        {"ports", runPorts},     {"info", runInfo},       {"read", runRead},       {"write", runWrite},
        {"check", runCheck},     {"diff", runDiff},       {"convert", runConvert}, {"encode", runEncode},
        {"decode", runDecode},   {"emulate", runEmulate}, {"doctor", runDoctor},   {"backups", runBackups},
        {"restore", runRestore}, {"report", runReport},
    };
    return table;
}

int report(int status, const std::string& message)
{
    std::fprintf(stderr, "zelmar-cli: %s\n", message.c_str());
    return status;
}

int runCommand(const Command& command, const Arguments& arguments)
{
    try {
        return command(arguments);
    } catch (const CliError& error) {
        return report(error.exitStatus(), error.what());
    } catch (const config_zelmar::TransferCancelled&) {
        return report(Interrupted, "stopped by a signal before the next command to the panel");
    } catch (const config_zelmar::ConfiguratorError& error) {
        return report(TransferErrorBase + static_cast<int>(error.code()), error.what());
    } catch (const std::bad_alloc&) {
        // Files are what the tool holds in memory.
        return report(FileError, "out of memory");
    } catch (const std::invalid_argument& error) {
        // The image codec refuses what it cannot take.
        return report(FileError, error.what());
    } catch (const std::exception& error) {
        return report(TransferErrorBase + config_zelmar::ConfiguratorError::ConfiguratorInternalError,
                      std::string("internal error: ") + error.what());
    }
}

} // namespace

int CliApplication::run(const std::vector<std::string>& arguments)
{
    if (arguments.empty()) {
        return report(UsageError, "no command given (see zelmar-cli --help)");
    }
    const std::string& name = arguments.front();
    if (name == "--help" || name == "-h" || name == "help") {
        std::fputs(toolHelp(), stdout);
        return Success;
    }
    const auto found = commands().find(name);
    if (found == commands().end()) {
        return report(UsageError, "unknown command " + name + " (see zelmar-cli --help)");
    }
    return runCommand(found->second, Arguments(arguments.begin() + 1, arguments.end()));
}

} // namespace zelmar_cli
