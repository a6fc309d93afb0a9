#include "DevicesPageWidget.h"

DevicesPageWidget::DevicesPageWidget(QWidget* parent, EventsPageWidget*, config_zelmar::Configuration*)
    : QWidget(parent)
{
}
