// The problems the checks found, first in the report so that a sheet is never handed over silently
// incomplete.
#include "report/Chapters.h"
#include "report/ContentText.h"

namespace report::chapters {

Chapter problems(const std::vector<config_zelmar::Problem>& problems)
{
    if (problems.empty()) {
        return {};
    }
    Chapter chapter{u"Замечания проверки конфигурации", {}, {}, true};
    chapter.notes.push_back(
        u"Прибор будет работать не так, как описано в отчёте, пока замечания не устранены.");
    Table table{u"", {{u"Важность", true}, {u"Замечание"}}, {}};
    for (const config_zelmar::Problem& problem : problems) {
        const bool error = problem.severity == config_zelmar::Problem::Severity::error;
        const Cell severity{content_text::fromUtf8(config_zelmar::severityWord(problem.severity)),
                            error ? CellStyle::differs : CellStyle::plain};
        table.rows.push_back({severity, {content_text::fromUtf8(problem.message)}});
    }
    chapter.tables.push_back(std::move(table));
    return chapter;
}

} // namespace report::chapters
