#pragma once

#include "MainWindowOptions.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <string>
#include <vector>

// Options of a main window whose connection dialog lists no port at all.
inline MainWindowOptions noPorts()
{
    MainWindowOptions options;
    options.portLister =
        PortLister{[] { return std::vector<std::string>(); }, [] { return std::vector<std::string>(); }};
    return options;
}

// The bytes of a file; empty when it cannot be read.
inline QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
