#include "PageTestPrompter.h"

PageTestPrompter::PageTestPrompter()
{
    Prompter::install(this);
}

PageTestPrompter::~PageTestPrompter()
{
    Prompter::install(nullptr);
}

QMessageBox::StandardButton PageTestPrompter::question(QWidget*, const QString& title, const QString& text,
                                                       QMessageBox::StandardButtons,
                                                       QMessageBox::StandardButton defaultButton)
{
    boxes.append({QStringLiteral("question"), title, text, defaultButton});
    return answers.isEmpty() ? fallbackAnswer : answers.takeFirst();
}

void PageTestPrompter::information(QWidget*, const QString& title, const QString& text)
{
    boxes.append({QStringLiteral("information"), title, text});
}

void PageTestPrompter::warning(QWidget*, const QString& title, const QString& text)
{
    boxes.append({QStringLiteral("warning"), title, text});
}

void PageTestPrompter::critical(QWidget*, const QString& title, const QString& text)
{
    boxes.append({QStringLiteral("critical"), title, text});
}

QString PageTestPrompter::openFileName(QWidget*, const QString&, const QString&, const QString&)
{
    return QString();
}

QString PageTestPrompter::saveFileName(QWidget*, const QString&, const QString&, const QString&)
{
    return QString();
}

int PageTestPrompter::count(const QString& kind) const
{
    int found = 0;
    for (const Box& box : boxes) {
        found += box.kind == kind ? 1 : 0;
    }
    return found;
}
