#pragma once

#include <QFont>

namespace report {

// The fonts of the printed report, all of one family: DejaVu Sans, which has every Cyrillic letter and is
// embedded into the PDF, so that the file reads the same on any machine. Needs a QGuiApplication.
struct ReportFonts
{
    QFont title;
    QFont chapter;
    QFont caption;
    QFont text;
    QFont header;
    QFont footer;

    static ReportFonts standard();
};

// "DejaVu Sans", loaded from Debian's fonts-dejavu-core files where the font database lacks it.
QString reportFontFamily();

} // namespace report
