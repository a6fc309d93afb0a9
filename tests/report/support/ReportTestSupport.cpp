#include "support/ReportTestSupport.h"

#include <report/OffscreenGui.h>

#include <gtest/gtest.h>

namespace report_test {

namespace {

// Fonts and PDF pages need a GUI application for the whole test program.
class OffscreenGuiEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { gui = std::make_unique<report::OffscreenGui>(); }
    void TearDown() override { gui.reset(); }

private:
    std::unique_ptr<report::OffscreenGui> gui;
};

[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new OffscreenGuiEnvironment);

} // namespace

void forEachCell(const report::ReportContent& content,
                 const std::function<void(const std::u16string& chapter, const report::Cell& cell)>& visit)
{
    for (const report::Chapter& chapter : content.chapters) {
        for (const report::Table& table : chapter.tables) {
            for (const auto& row : table.rows) {
                for (const report::Cell& cell : row) {
                    visit(chapter.title, cell);
                }
            }
        }
    }
}

const report::Cell* findCell(const report::ReportContent& content, const std::u16string& text)
{
    const report::Cell* found = nullptr;
    forEachCell(content, [&](const std::u16string&, const report::Cell& cell) {
        if (found == nullptr && cell.text == text) {
            found = &cell;
        }
    });
    return found;
}

std::u16string allText(const report::ReportContent& content)
{
    std::u16string text = content.title + u"\n" + content.footer + u"\n";
    for (const report::HeadingLine& line : content.heading) {
        text += line.label + u": " + line.value + u"\n";
    }
    for (const report::Chapter& chapter : content.chapters) {
        text += chapter.title + u"\n";
        for (const auto& note : chapter.notes) {
            text += note + u"\n";
        }
        for (const report::Table& table : chapter.tables) {
            text += table.caption + u"\n";
            for (const report::Column& column : table.columns) {
                text += column.header + u"\t";
            }
        }
    }
    forEachCell(content,
                [&text](const std::u16string&, const report::Cell& cell) { text += cell.text + u"\t"; });
    return text;
}

const report::Chapter* findChapter(const report::ReportContent& content, const std::u16string& title)
{
    for (const report::Chapter& chapter : content.chapters) {
        if (chapter.title == title) {
            return &chapter;
        }
    }
    return nullptr;
}

QString qt(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

} // namespace report_test
