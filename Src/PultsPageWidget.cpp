#include "PultsPageWidget.h"

PultsPageWidget::PultsPageWidget(QWidget* parent, config_zelmar::Configuration*) : QWidget(parent) {}
