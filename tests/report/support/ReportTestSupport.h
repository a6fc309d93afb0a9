#pragma once

#include <report/ReportContent.h>

#include <QString>

#include <functional>
#include <string>

namespace config_zelmar {
class Configuration;
}

// Ways of looking into a report's content for the tests.
namespace report_test {

// Calls visit for every cell of every table of the content, with the chapter's title.
void forEachCell(const report::ReportContent& content,
                 const std::function<void(const std::u16string& chapter, const report::Cell& cell)>& visit);

// The style of the first cell whose text is exactly text; nullptr when no cell has it.
const report::Cell* findCell(const report::ReportContent& content, const std::u16string& text);

// Every text of the content (title, heading, notes, captions, headers and cells) in one string.
std::u16string allText(const report::ReportContent& content);

const report::Chapter* findChapter(const report::ReportContent& content, const std::u16string& title);

QString qt(const std::u16string& text);

} // namespace report_test
