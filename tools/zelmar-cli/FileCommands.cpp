// The subcommands that work on files alone: check, convert, encode, decode.
#include "ArgumentParser.h"
#include "CliError.h"
#include "Commands.h"
#include "ExitStatus.h"
#include "FileAccess.h"
#include "HelpTexts.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/ConfigurationSummary.h"
#include "config_zelmar/PanelImageCodec.h"

#include <cstdio>

namespace zelmar_cli {

namespace {

using Option = ArgumentParser::Option;
using Presence = ArgumentParser::Presence;
using Value = ArgumentParser::Value;

constexpr std::size_t optionImageSize = 0x100;
constexpr std::size_t configurationImageSize = 0xBE00;

const Option outputOption{"--output", "-o", true, false, Presence::optional, Value::outputFile};

QByteArray bytesOf(const std::vector<uint8_t>& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<int>(image.size()));
}

} // namespace

int runCheck(const Arguments& arguments)
{
    ArgumentParser parser("check", {}, 1, 1);
    parser.parse(arguments);
    if (parser.helpWanted()) {
        return printCommandHelp("check");
    }
    config_zelmar::Configuration configuration;
    const std::string error = FileAccess::readConfiguration(parser.positionals().front(), configuration);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return FileError;
    }
    std::printf("%s\n", config_zelmar::configurationSummary(configuration).c_str());
    return std::fflush(stdout) == 0 ? Success : FileError;
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
