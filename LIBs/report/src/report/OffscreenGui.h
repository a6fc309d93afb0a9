#pragma once

#include <memory>

class QGuiApplication;

namespace report {

// Fonts and PDF pages need a QGuiApplication. A program without one (the command-line tool, the tests)
// makes it on the offscreen platform while this object lives, so that no display is needed; where an
// application object exists already, nothing is made.
class OffscreenGui
{
public:
    OffscreenGui();
    ~OffscreenGui();
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

private:
    std::unique_ptr<QGuiApplication> application;
};

} // namespace report
