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
