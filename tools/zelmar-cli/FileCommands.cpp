// The subcommands that work on files alone: check, diff, convert, encode, decode.
#include "ArgumentParser.h"
#include "CliError.h"
#include "Commands.h"
#include "DifferencePrinter.h"
#include "ExitStatus.h"
#include "FileAccess.h"
#include "HelpTexts.h"
#include "ProblemPrinter.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/ConfigurationCheck.h"
#include "config_zelmar/ConfigurationComparison.h"
#include "config_zelmar/ConfigurationSummary.h"
#include "config_zelmar/MemoryMap.h"
#include "config_zelmar/PanelImageCodec.h"

#include <cstdio>

namespace zelmar_cli {

namespace {

using Option = ArgumentParser::Option;
using Presence = ArgumentParser::Presence;
using Value = ArgumentParser::Value;

namespace map = config_zelmar::memory_map;
constexpr std::size_t optionImageSize = map::options::pageCount * map::pageSize;
constexpr std::size_t configurationImageSize = map::configuration::pageCount * map::pageSize;

const Option outputOption{"--output", "-o", true, false, Presence::optional, Value::outputFile};
const Option jsonOption{"--json", "", false, false};

QByteArray bytesOf(const std::vector<uint8_t>& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<int>(image.size()));
}

// Opens the file as the configurator does; a reader error is printed on standard error as it is.
bool readOrReport(const std::string& path, config_zelmar::Configuration& configuration)
{
    const std::string error = FileAccess::readConfiguration(path, configuration);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    return true;
}

} // namespace

int runCheck(const Arguments& arguments)
{
    ArgumentParser parser("check", {jsonOption}, 1, 1);
    parser.parse(arguments);
    if (parser.helpWanted()) {
        return printCommandHelp("check");
    }
    config_zelmar::Configuration configuration;
    if (!readOrReport(parser.positionals().front(), configuration)) {
        return FileError;
    }
    const std::vector<config_zelmar::Problem> problems = config_zelmar::checkConfiguration(configuration);
    const std::string text =
        parser.has("--json")
            ? ProblemPrinter::json(config_zelmar::countConfiguration(configuration), problems)
            : ProblemPrinter::lines(config_zelmar::configurationSummary(configuration), problems);
    FileAccess::writeStandardOutput(QByteArray::fromStdString(text));
    return config_zelmar::hasErrors(problems) ? DifferentOrErroneous : Success;
}

int runDiff(const Arguments& arguments)
{
    ArgumentParser parser("diff", {jsonOption}, 2, 2);
    parser.parse(arguments);
    if (parser.helpWanted()) {
        return printCommandHelp("diff");
    }
    config_zelmar::Configuration before;
    config_zelmar::Configuration after;
    if (!readOrReport(parser.positionals()[0], before) || !readOrReport(parser.positionals()[1], after)) {
        return FileError;
    }
    const std::vector<config_zelmar::Difference> differences =
        config_zelmar::compareConfigurations(before, after);
    DifferencePrinter::print(differences, parser.has("--json"));
    return differences.empty() ? Success : DifferentOrErroneous;
}

int runConvert(const Arguments& arguments)
{
    ArgumentParser parser("convert", {outputOption}, 1, 1);
    parser.parse(arguments);
    if (parser.helpWanted()) {
        return printCommandHelp("convert");
    }
    config_zelmar::Configuration configuration;
    FileAccess::loadConfiguration(parser.positionals().front(), configuration);
    FileAccess::writeResult(parser.value("--output"), FileAccess::configurationDocument(configuration));
    return Success;
}

int runEncode(const Arguments& arguments)
{
    ArgumentParser parser("encode",
                          {{"--options", "", true, false, Presence::required, Value::outputFile},
                           {"--config", "", true, false, Presence::required, Value::outputFile},
                           {"--base-options", "", true, false},
                           {"--base-config", "", true, false}},
                          1, 1);
    parser.parse(arguments);
    if (parser.helpWanted()) {
        return printCommandHelp("encode");
    }
    const std::string optionsPath = parser.required("--options");
    const std::string configPath = parser.required("--config");
    config_zelmar::Configuration configuration;
    FileAccess::loadConfiguration(parser.positionals().front(), configuration);
    config_zelmar::PanelImages base = config_zelmar::blankPanelImages();
    if (parser.has("--base-options")) {
        base.options = FileAccess::readImage(parser.value("--base-options"), optionImageSize);
    }
    if (parser.has("--base-config")) {
        base.configuration = FileAccess::readImage(parser.value("--base-config"), configurationImageSize);
    }
    const config_zelmar::PanelImages images = config_zelmar::encodeImages(configuration, base);
    FileAccess::writeFiles(
        {{optionsPath, bytesOf(images.options)}, {configPath, bytesOf(images.configuration)}});
    return Success;
}

int runDecode(const Arguments& arguments)
{
    ArgumentParser parser("decode",
                          {{"--options", "", true, false, Presence::required},
                           {"--config", "", true, false, Presence::required},
                           outputOption},
                          0, 0);
    parser.parse(arguments);
    if (parser.helpWanted()) {
        return printCommandHelp("decode");
    }
    config_zelmar::PanelImages images;
    images.options = FileAccess::readImage(parser.required("--options"), optionImageSize);
    images.configuration = FileAccess::readImage(parser.required("--config"), configurationImageSize);
    config_zelmar::Configuration configuration;
    config_zelmar::decodeImages(images, configuration);
    FileAccess::writeResult(parser.value("--output"), FileAccess::configurationDocument(configuration));
    return Success;
}

} // namespace zelmar_cli
