// The subcommands that talk to the panel: ports, info, read, write.
#include "ArgumentParser.h"
#include "CliError.h"
#include "Commands.h"
#include "DifferencePrinter.h"
#include "ExitStatus.h"
#include "FileAccess.h"
#include "HelpTexts.h"
#include "OutputFiles.h"
#include "PortOpening.h"
#include "ProblemPrinter.h"
#include "StopSignals.h"
#include "StoreOption.h"
#include "TerminalProgress.h"

#include "config_zelmar/ConfigZelmar.h"
#include "config_zelmar/Configuration.h"
#include "config_zelmar/ConfigurationCheck.h"
#include "config_zelmar/ConfigurationSummary.h"
#include "config_zelmar/PanelInfo.h"
#include "config_zelmar/PlannedChanges.h"
#include "rs485/RS485Connection.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace zelmar_cli {

namespace {

using Option = ArgumentParser::Option;
using Presence = ArgumentParser::Presence;
using Value = ArgumentParser::Value;

const Option portOption{"--port", "", true, false, Presence::required};
const Option raisedSpeedOption{"--fast", "", false, false};
const Option outputOption{"--output", "-o", true, false, Presence::optional, Value::outputFile};
const Option allPagesOption{"--full", "", false, false};
const Option noVerifyOption{"--no-verify", "", false, false};
const Option noBackupOption{"--no-backup", "", false, false};
const Option forceOption{"--force", "", false, false};
const Option dryRunOption{"--dry-run", "", false, false};

// The problems of the file on standard error; true when one of them is an error.
bool reportProblems(const config_zelmar::Configuration& configuration)
{
    const std::vector<config_zelmar::Problem> problems = config_zelmar::checkConfiguration(configuration);
    if (!problems.empty()) {
        const std::string text =
            ProblemPrinter::lines(config_zelmar::configurationSummary(configuration), problems);
        std::fputs(text.c_str(), stderr);
    }
    return config_zelmar::hasErrors(problems);
}

// What the write would change, printed as diff prints it; nothing is written.
int dryRun(config_zelmar::ConfigZelmar& transfer, const config_zelmar::Configuration& configuration)
{
    TerminalProgress progress;
    const config_zelmar::PanelImages content = transfer.establishPanelContent(progress.handler());
    const std::vector<config_zelmar::Difference> changes =
        config_zelmar::plannedChanges(content, configuration);
    DifferencePrinter::print(changes, false);
    return changes.empty() ? Success : DifferentOrErroneous;
}

void printLine(const std::string& key, const std::string& value)
{
    std::printf("%s: %s\n", key.c_str(), value.c_str());
}

} // namespace

int runPorts(const Arguments& arguments)
{
    ArgumentParser parser("ports", {}, 0, 0);
    parser.parse(arguments);
    if (parser.helpWanted()) {
        return printCommandHelp("ports");
    }
    const std::vector<std::string> converters = rs485::RS485Connection::ftdiPorts();
    for (const std::string& port : rs485::RS485Connection::serialPorts()) {
        const bool converter = std::find(converters.begin(), converters.end(), port) != converters.end();
        std::printf("%s%s\n", port.c_str(), converter ? "\tconverter" : "");
    }
    return std::fflush(stdout) == 0 ? Success : FileError;
}

int runInfo(const Arguments& arguments)
{
    ArgumentParser parser("info", {portOption}, 0, 0);
    parser.parse(arguments);
    if (parser.helpWanted()) {
        return printCommandHelp("info");
    }
    const std::string port = parser.required("--port");
    config_zelmar::ConfigZelmar transfer;
    config_zelmar::PanelInfo info;
    {
        OpenPort opened(transfer, port);
        info = transfer.readPanelInfo();
    }
    printLine("loader-version", std::to_string(info.loaderVersion));
    printLine("device-name", info.deviceName);
    printLine("page-size", std::to_string(info.pageSize));
    printLine("firmware-version", info.firmwareVersion);
    printLine("last-write-date", info.lastWriteDate);
    printLine("write-counter", std::to_string(info.writeCounter));
    return std::fflush(stdout) == 0 ? Success : FileError;
}

int runRead(const Arguments& arguments)
{
    ArgumentParser parser("read", {portOption, raisedSpeedOption, outputOption, dataDirOption}, 0, 0);
    parser.parse(arguments);
    if (parser.helpWanted()) {
        return printCommandHelp("read");
    }
    const std::string port = parser.required("--port");
    const std::string output = parser.value("--output");
    // Opened first, so that an output that cannot be written is known before the panel is read.
    std::unique_ptr<OutputFiles> outputFile;
    if (!FileAccess::isStandardOutput(output)) {
        outputFile = std::make_unique<OutputFiles>(std::vector<std::string>{output});
    }
    config_zelmar::Configuration configuration;
    config_zelmar::ConfigZelmar transfer;
    transfer.setRaisedSpeed(parser.has("--fast"));
    transfer.setImageStore(imageStoreOf(parser));
    StopSignals::install();
    {
        OpenPort opened(transfer, port);
        TerminalProgress progress;
        transfer.readConfiguration(configuration, progress.handler());
    }
    const QByteArray document = FileAccess::configurationDocument(configuration);
    if (outputFile) {
        outputFile->write(0, document);
        outputFile->commit();
    } else {
        FileAccess::writeStandardOutput(document);
    }
    return Success;
}

int runWrite(const Arguments& arguments)
{
    ArgumentParser parser("write",
                          {portOption, raisedSpeedOption, allPagesOption, noVerifyOption, noBackupOption,
                           forceOption, dryRunOption, dataDirOption},
                          1, 1);
    parser.parse(arguments);
    if (parser.helpWanted()) {
        return printCommandHelp("write");
    }
    const std::string port = parser.required("--port");
    config_zelmar::Configuration configuration;
    // A file that the reader reports as damaged may be only partly read: never write that into a panel.
    FileAccess::loadConfiguration(parser.positionals().front(), configuration);
    const bool dryRunWanted = parser.has("--dry-run");
    if (reportProblems(configuration) && !parser.has("--force") && !dryRunWanted) {
        throw CliError(DifferentOrErroneous, "write: the file has errors: part of it would not be written "
                                             "into the panel (--force writes it all the same)");
    }
    config_zelmar::ConfigZelmar transfer;
    transfer.setRaisedSpeed(parser.has("--fast"));
    transfer.setImageStore(imageStoreOf(parser));
    config_zelmar::WriteOptions options;
    options.allPages = parser.has("--full");
    options.verify = !parser.has("--no-verify");
    options.backup = !parser.has("--no-backup");
    transfer.setWriteOptions(options);
    StopSignals::install();
    OpenPort opened(transfer, port);
    if (dryRunWanted) {
        return dryRun(transfer, configuration);
    }
    TerminalProgress progress;
    transfer.writeConfiguration(configuration, progress.handler());
    return Success;
}

} // namespace zelmar_cli
