#pragma once

#include <Qt>

class QFont;
class QPaintDevice;
class QPainter;
class QRectF;
class QString;

namespace report {

// Text wrapped into a given width, measured and drawn with one layout so that what the pagination
// measured is exactly what is printed. Words longer than the width break anywhere.
class TextBox
{
public:
    static qreal height(const QString& text, const QFont& font, qreal width, QPaintDevice* device);
    static void draw(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
                     Qt::Alignment alignment);
    // The width of the text on one line.
    static qreal naturalWidth(const QString& text, const QFont& font, QPaintDevice* device);
    // The width of its longest word, the least width that wraps it only between words.
    static qreal longestWordWidth(const QString& text, const QFont& font, QPaintDevice* device);
};

} // namespace report
