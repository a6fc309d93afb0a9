#include "EventsPageWidget.h"

EventsPageWidget::EventsPageWidget(QWidget* parent, config_zelmar::Configuration*) : QWidget(parent) {}

bool EventsPageWidget::addTable(const config_zelmar::EventTable&)
{
    return false;
}
