#include "report/ReportFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace report {

namespace {

QFont fontOf(qreal points, bool bold)
{
    QFont font(reportFontFamily());
    font.setPointSizeF(points);
    font.setBold(bold);
    // Kerning and hinting follow the device: the same layout on the preview, the printer and the PDF.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

QString reportFontFamily()
{
    static const QString family = [] {
        const QString wanted = QStringLiteral("DejaVu Sans");
        if (!QFontDatabase().families().contains(wanted)) {
            for (const char* file : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"}) {
                QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/truetype/dejavu/") +
                                                  QLatin1String(file));
            }
        }
        return wanted;
    }();
    return family;
}

ReportFonts ReportFonts::standard()
{
    return {fontOf(14, true), fontOf(11, true), fontOf(9, true),
            fontOf(8, false), fontOf(8, true),  fontOf(7, false)};
}

} // namespace report
