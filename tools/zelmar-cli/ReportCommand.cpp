// The report subcommand: the commissioning report of a configuration file as PDF, HTML or CSV.
#include "ArgumentParser.h"
#include "CliError.h"
#include "Commands.h"
#include "ExitStatus.h"
#include "FileAccess.h"
#include "HelpTexts.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/ConfigurationCheck.h"

#include <report/OffscreenGui.h>
#include <report/ReportFile.h>

#include <QDateTime>
#include <QFileInfo>

namespace zelmar_cli {

int runReport(const Arguments& arguments)
{
    ArgumentParser parser("report", {{"--output", "-o", true, false}, {"--changes-only", "", false, false}},
                          1, 1);
    parser.parse(arguments);
    if (parser.helpWanted()) {
        return printCommandHelp("report");
    }
    const std::string output = parser.required("--output");
    const auto format = report::formatOfFileName(QString::fromStdString(output));
    if (!format) {
        throw CliError(UsageError, "report: " + output + ": the output must end in .pdf, .html or .csv");
    }
    const std::string& path = parser.positionals().front();
    config_zelmar::Configuration configuration;
    FileAccess::loadConfiguration(path, configuration);

    report::ReportRequest request;
    request.source = QFileInfo(QString::fromStdString(path)).fileName().toStdU16String();
    request.createdAt = report::reportTimeText(QDateTime::currentDateTime());
    request.changesOnly = parser.has("--changes-only");
    request.problems = config_zelmar::checkConfiguration(configuration);
    // Fonts and pages need a GUI application; the offscreen platform needs no display.
    const report::OffscreenGui gui;
    const QByteArray content = report::renderReport(*format, configuration, request);
    if (content.isEmpty()) {
        throw CliError(FileError, output + ": the report could not be made");
    }
    FileAccess::writeResult(output, content);
    return Success;
}

} // namespace zelmar_cli
