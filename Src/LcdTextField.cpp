#include "LcdTextField.h"

#include "Prompter.h"

#include <config_zelmar/LCDCharset.h>

#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QToolTip>

namespace {

// A character display: dark characters on a yellow-green glass.
const QString previewStyle = QStringLiteral(
    "QLabel { background: #c6dc8c; color: #14210f; border: 1px solid #7a8c52; border-radius: 2px; "
    "padding: 1px 3px; } QLabel:disabled { background: #e0e8c8; color: #6b7560; }");
const QString warningColour = QStringLiteral("#c00000");
const char16_t fullStop = u'.';

bool isShowable(char16_t character)
{
    return config_zelmar::unicodeToLcd(character) != fullStop || character == fullStop;
}

// The text as the display shows it: each character through the display's code.
char16_t shownCharacter(char16_t character)
{
    return config_zelmar::lcdToUnicode(config_zelmar::unicodeToLcd(character));
}

} // namespace

LcdTextField* LcdTextField::attach(QLineEdit* field, int width)
{
    return new LcdTextField(field, width);
}

LcdTextField::LcdTextField(QLineEdit* field, int width)
    : QObject(field), field(field), width(width), counter(new QLabel), preview(new QLabel)
{
    // The field takes a longer paste, which is then cut with a word (a length limit would cut it
    // without one).
    field->setMaxLength(32767);
    counter->setObjectName(field->objectName() + QStringLiteral("Left"));
    preview->setObjectName(field->objectName() + QStringLiteral("Display"));
    counter->setMinimumWidth(counter->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 4);
    counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    preview->setFont(fixed);
    preview->setStyleSheet(previewStyle);
    preview->setTextFormat(Qt::RichText);
    preview->setToolTip(tr("Так текст покажет экран прибора"));
    // As wide as the display's field: a full line of the widest letters, with the frame and margins.
    preview->setText(QString(width, QChar(u'Ш')));
    preview->setFixedWidth(preview->sizeHint().width() + 2);
    placeBesideField();
    field->installEventFilter(this);
    connect(field, &QLineEdit::textChanged, this, &LcdTextField::update);
    connect(field, &QLineEdit::textEdited, this, &LcdTextField::cutToWidth);
    update();
}

// The field, its counter and its preview share one row where the field was.
void LcdTextField::placeBesideField()
{
    QWidget* holder = new QWidget;
    if (QWidget* parent = field->parentWidget(); parent != nullptr && parent->layout() != nullptr) {
        delete parent->layout()->replaceWidget(field, holder);
    }
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    row->addWidget(field, 1);
    row->addWidget(counter);
    row->addWidget(preview);
    counter->setVisible(!field->isHidden());
    preview->setVisible(!field->isHidden());
    counter->setEnabled(field->isEnabled());
    preview->setEnabled(field->isEnabled());
}

int LcdTextField::charactersLeft() const
{
    return width - field->text().size();
}

QString LcdTextField::displayText() const
{
    QString shown;
    for (const QChar character : field->text().left(width)) {
        shown += QChar(shownCharacter(character.unicode()));
    }
    return shown;
}

QString LcdTextField::unshowableCharacters() const
{
    QString found;
    const QVector<uint> codePoints = field->text().toUcs4();
    for (const uint codePoint : codePoints) {
        const QString character = QString::fromUcs4(&codePoint, 1);
        const bool showable = character.size() == 1 && isShowable(character.at(0).unicode());
        if (!showable && !found.contains(character)) {
            found += character;
        }
    }
    return found;
}

void LcdTextField::update()
{
    const int left = charactersLeft();
    counter->setText(QString::number(left));
    counter->setToolTip(
        cutNote.isEmpty() ? tr("Осталось символов: %1 из %2").arg(std::max(0, left)).arg(width) : cutNote);
    // Red after a text was cut, or for a longer text put in by the program.
    const bool overflow = left < 0 || !cutNote.isEmpty();
    counter->setStyleSheet(overflow ? QStringLiteral("color: %1;").arg(warningColour) : QString());
    QString html;
    const QString text = field->text().left(width);
    for (const QChar character : text) {
        const char16_t shown = shownCharacter(character.unicode());
        if (!isShowable(character.unicode())) {
            html += QStringLiteral("<span style=\"color:%1; font-weight:bold\">.</span>").arg(warningColour);
        } else if (shown == u' ') {
            html += QStringLiteral("&nbsp;");
        } else {
            html += QString(QChar(shown)).toHtmlEscaped();
        }
    }
    for (int padding = text.size(); padding < width; ++padding) {
        html += QStringLiteral("&nbsp;");
    }
    preview->setText(html);
}

void LcdTextField::cutToWidth(const QString& edited)
{
    if (edited.size() <= width) {
        if (!cutNote.isEmpty()) {
            cutNote.clear();
            update();
        }
        return;
    }
    const int cursor = std::min(field->cursorPosition(), width);
    cutNote = tr("Поле вмещает не более %1 символов. Отброшено символов: %2.")
                  .arg(width)
                  .arg(edited.size() - width);
    field->setText(edited.left(width));
    field->setCursorPosition(cursor);
    update();
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), cutNote, field);
}

bool LcdTextField::takesPart() const
{
    return field->isEnabled() && !field->isHidden();
}

bool LcdTextField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == field) {
        switch (event->type()) {
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            counter->setVisible(!field->isHidden());
            preview->setVisible(!field->isHidden());
            break;
        case QEvent::EnabledChange:
            counter->setEnabled(field->isEnabled());
            preview->setEnabled(field->isEnabled());
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool LcdTextField::confirmShowable(QWidget* dialog, const std::vector<LcdTextField*>& fields)
{
    QStringList characters;
    LcdTextField* first = nullptr;
    for (LcdTextField* text : fields) {
        const QString found = text->takesPart() ? text->unshowableCharacters() : QString();
        for (const uint codePoint : found.toUcs4()) {
            const QString character = QString::fromUcs4(&codePoint, 1);
            if (!characters.contains(character)) {
                characters << character;
            }
        }
        if (!found.isEmpty() && first == nullptr) {
            first = text;
        }
    }
    if (first == nullptr) {
        return true;
    }
    const QString question = tr("Экран прибора не может показать символы: %1. Вместо каждого из них он "
                                "покажет точку.\nСохранить текст так?")
                                 .arg(characters.join(QLatin1Char(' ')));
    if (Prompter::current().askYesNo(dialog, tr("Экран прибора"), question)) {
        return true;
    }
    first->field->setFocus();
    return false;
}
