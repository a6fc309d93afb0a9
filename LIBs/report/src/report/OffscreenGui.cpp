#include "report/OffscreenGui.h"

#include <QGuiApplication>

namespace report {

namespace {

// QGuiApplication keeps references to its arguments for its whole life.
int argumentCount = 3;
char programName[] = "zelmar";
char platformOption[] = "-platform";
char platformName[] = "offscreen";
char* arguments[] = {programName, platformOption, platformName, nullptr};

} // namespace

OffscreenGui::OffscreenGui()
{
    if (QCoreApplication::instance() == nullptr) {
        application = std::make_unique<QGuiApplication>(argumentCount, arguments);
    }
}

OffscreenGui::~OffscreenGui() = default;

} // namespace report
