#include "CommandsPageWidget.h"

CommandsPageWidget::CommandsPageWidget(QWidget* parent, config_zelmar::Configuration*) : QWidget(parent) {}
