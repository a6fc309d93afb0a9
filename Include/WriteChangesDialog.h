#pragma once

#include "config_zelmar/Difference.h"
#include "config_zelmar/Problem.h"

#include <QDialog>

#include <vector>

// Before a write, once the panel's content is known: what the write will change in the panel (the same
// lines as zelmar-cli write --dry-run prints), the problems of the configuration, and the question
// "Записать изменения в прибор?" with Записать and Отмена (Отмена the default). When nothing would
// change it asks "Прибор уже содержит эту конфигурацию. Записать всё равно?".
class WriteChangesDialog : public QDialog
{
    Q_OBJECT

public:
    WriteChangesDialog(QWidget* parent, const std::vector<config_zelmar::Difference>& changes,
                       const std::vector<config_zelmar::Problem>& problems);
};
