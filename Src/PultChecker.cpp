#include "PultChecker.h"

#include "Prompter.h"
#include "PultEditDialog.h"

#include <config_zelmar/Configuration.h>

PultChecker::PultChecker(const config_zelmar::Configuration* configuration, int editedAddress)
    : configuration(configuration), editedAddress(editedAddress)
{}

bool PultChecker::check(PultEditDialog* dialog)
{
    QString problem;
    if (dialog->name().simplified().isEmpty()) {
        problem = QStringLiteral("Введите название секционного пульта!");
    } else if (dialog->hasDubler() && dialog->dublerName().simplified().isEmpty()) {
        problem = QStringLiteral("Введите название пульта-дублёра!");
    } else if (dialog->address() != editedAddress && configuration->sections.count(dialog->address()) != 0) {
        problem = QStringLiteral("Пульт с адресом %1 уже добавлен!").arg(dialog->address());
    }
    if (problem.isEmpty()) {
        return true;
    }
    Prompter::current().warning(dialog, QStringLiteral("Ошибка"), problem);
    return false;
}
