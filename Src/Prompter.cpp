#include "Prompter.h"

#include "WidgetPrompter.h"

namespace {

Prompter* installedPrompter = nullptr;

} // namespace

Prompter& Prompter::current()
{
    static WidgetPrompter widgetPrompter;
    return installedPrompter != nullptr ? *installedPrompter : widgetPrompter;
}

void Prompter::install(Prompter* prompter)
{
    installedPrompter = prompter;
}

bool Prompter::askYesNo(QWidget* parent, const QString& title, const QString& text,
                        QMessageBox::StandardButton defaultButton)
{
    return question(parent, title, text, QMessageBox::Yes | QMessageBox::No, defaultButton) ==
           QMessageBox::Yes;
}
