#pragma once

#include <QWidget>

// The child of the window with the given object name and type; stops the test run when it is missing,
// which means the form lost an object name others rely on.
template <class Control> Control* control(const QWidget& window, const char* objectName)
{
    Control* found = window.findChild<Control*>(QString::fromLatin1(objectName));
    if (found == nullptr) {
        qFatal("no control %s", objectName);
    }
    return found;
}

template <class Control> Control* control(const QWidget* window, const char* objectName)
{
    return control<Control>(*window, objectName);
}

// The child of the widget with the given object name and type; stops the test run when it is missing.
template <class Control> Control* pageControl(const QObject* parent, const char* objectName)
{
    Control* found = parent->findChild<Control*>(QString::fromLatin1(objectName));
    if (found == nullptr) {
        qFatal("no control %s", objectName);
    }
    return found;
}
