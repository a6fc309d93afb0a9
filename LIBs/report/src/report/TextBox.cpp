#include "report/TextBox.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace report {

namespace {

// Widths are sums and differences of paddings and columns: half a device pixel of slack keeps the text that
// was measured to fit on one line from wrapping when it is drawn.
constexpr qreal slack = 0.5;

bool fitsOneLine(const QString& text, const QFontMetricsF& metrics, qreal width)
{
    return !text.contains(QLatin1Char('\n')) && metrics.horizontalAdvance(text) <= width + slack;
}

// Line breaks of the text are kept as line breaks of the layout.
QString withLineSeparators(QString text)
{
    return text.replace(QLatin1Char('\n'), QChar::LineSeparator);
}

// Lays the text out line under line; the result is the height of all lines.
qreal layOut(QTextLayout& layout, qreal width, Qt::Alignment alignment)
{
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width + slack);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return y;
}

} // namespace

qreal TextBox::height(const QString& text, const QFont& font, qreal width, QPaintDevice* device)
{
    const QFontMetricsF metrics(font, device);
    if (fitsOneLine(text, metrics, width)) {
        return metrics.height();
    }
    QTextLayout layout(withLineSeparators(text), font, device);
    return std::max(layOut(layout, width, Qt::AlignLeft), metrics.height());
}

void TextBox::draw(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
                   Qt::Alignment alignment)
{
    const QFontMetricsF metrics(font, painter.device());
    if (fitsOneLine(text, metrics, rect.width())) {
        painter.setFont(font);
        painter.drawText(rect, int(alignment | Qt::AlignTop | Qt::TextSingleLine), text);
        return;
    }
    QTextLayout layout(withLineSeparators(text), font, painter.device());
    layOut(layout, rect.width(), alignment);
    layout.draw(&painter, rect.topLeft());
}

qreal TextBox::naturalWidth(const QString& text, const QFont& font, QPaintDevice* device)
{
    return QFontMetricsF(font, device).horizontalAdvance(text);
}

qreal TextBox::longestWordWidth(const QString& text, const QFont& font, QPaintDevice* device)
{
    const QFontMetricsF metrics(font, device);
    qreal longest = 0;
    for (const QStringRef& word : text.splitRef(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        longest = std::max(longest, metrics.horizontalAdvance(word.toString()));
    }
    return longest;
}

} // namespace report
