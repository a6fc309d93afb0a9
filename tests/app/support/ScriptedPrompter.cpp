#include "ScriptedPrompter.h"

ScriptedPrompter::ScriptedPrompter()
{
    Prompter::install(this);
}

ScriptedPrompter::~ScriptedPrompter()
{
    Prompter::install(nullptr);
}

QMessageBox::StandardButton ScriptedPrompter::question(QWidget*, const QString& title, const QString& text,
                                                       QMessageBox::StandardButtons,
                                                       QMessageBox::StandardButton defaultButton)
{
    boxes.append({QStringLiteral("question"), title, text, defaultButton});
    return answers.isEmpty() ? answer : answers.takeFirst();
}

void ScriptedPrompter::information(QWidget*, const QString& title, const QString& text)
{
    boxes.append({QStringLiteral("information"), title, text});
}

void ScriptedPrompter::warning(QWidget*, const QString& title, const QString& text)
{
    boxes.append({QStringLiteral("warning"), title, text});
}

void ScriptedPrompter::critical(QWidget*, const QString& title, const QString& text)
{
    boxes.append({QStringLiteral("critical"), title, text});
}

QString ScriptedPrompter::openFileName(QWidget*, const QString&, const QString& directory,
                                       const QString& filter)
{
    return nextFileName(directory, filter);
}

QString ScriptedPrompter::saveFileName(QWidget*, const QString&, const QString& directory,
                                       const QString& filter)
{
    return nextFileName(directory, filter);
}

QString ScriptedPrompter::saveFileNameWithFilter(QWidget*, const QString&, const QString& directory,
                                                 const QString& filters, QString& selectedFilter)
{
    selectedFilter =
        selectedFilters.isEmpty() ? filters.section(QStringLiteral(";;"), 0, 0) : selectedFilters.takeFirst();
    return nextFileName(directory, filters);
}

QString ScriptedPrompter::nextFileName(const QString& directory, const QString& filter)
{
    fileDialogDirectories.append(directory);
    fileDialogFilters.append(filter);
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

int ScriptedPrompter::count(const QString& kind) const
{
    int found = 0;
    for (const Box& box : boxes) {
        found += box.kind == kind ? 1 : 0;
    }
    return found;
}
