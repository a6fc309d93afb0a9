#include "report/ReportBuilder.h"

#include "report/Chapters.h"
#include "report/ContentText.h"

#include <config_zelmar/Configuration.h>
#include <config_zelmar/ProgramIdentity.h>

namespace report {

namespace {

using content_text::fromUtf8;

std::vector<HeadingLine> headingLines(const config_zelmar::Configuration& configuration,
                                      const ReportRequest& request)
{
    std::vector<HeadingLine> lines{
        {u"Конфигурация", request.source},
        {u"Дата отчёта", request.createdAt},
        {u"Программа",
         fromUtf8(config_zelmar::programTitle) + u", версия " + fromUtf8(config_zelmar::programVersion)},
    };
    // What only a read from the panel tells.
    if (!configuration.firmwareVersion.empty()) {
        lines.push_back({u"Версия ПО прибора", fromUtf8(configuration.firmwareVersion)});
    }
    if (!configuration.lastWriteDate.empty()) {
        lines.push_back({u"Дата последней записи", fromUtf8(configuration.lastWriteDate)});
        lines.push_back({u"Счетчик записей", content_text::number(configuration.writeCounter)});
    }
    if (request.changesOnly) {
        lines.push_back({u"Содержание", u"Только отличия от значений по умолчанию"});
    }
    return lines;
}

} // namespace

ReportContent buildReport(const config_zelmar::Configuration& configuration, const ReportRequest& request)
{
    ReportContent content;
    content.title = u"Отчёт о конфигурации прибора «Зелмар»";
    content.heading = headingLines(configuration, request);
    content.footer = request.source + u" · " + request.createdAt;
    if (!request.problems.empty()) {
        content.chapters.push_back(chapters::problems(request.problems));
    }
    content.chapters.push_back(chapters::options(configuration, request.changesOnly));
    if (configuration.pultType()) {
        content.chapters.push_back(chapters::consoles(configuration));
    }
    content.chapters.push_back(chapters::devices(configuration, request.changesOnly));
    content.chapters.push_back(chapters::eventTables(configuration, request.changesOnly));
    content.chapters.push_back(chapters::commands(configuration));
    return content;
}

} // namespace report
