#pragma once

#include <QObject>
#include <QString>

#include <vector>

class QLabel;
class QLineEdit;

// Shows beside a name or event text field what the panel will make of it: how many of the field's
// characters are left, and the text as the panel's display shows it (Latin look-alikes as stored, a
// character without a display code as "." in a warning colour). A longer paste or typing is cut to the
// field's width with a word instead of silently. Owned by the line edit.
class LcdTextField : public QObject
{
    Q_OBJECT

public:
    // Puts the counter and the preview beside the field in its layout.
    static LcdTextField* attach(QLineEdit* field, int width);

    int charactersLeft() const;
    // The preview as plain text: the first width characters as the display shows them.
    QString displayText() const;
    // The characters of the text that the display cannot show, each once, in order of appearance.
    QString unshowableCharacters() const;
    // What the field said last when it cut a text to its width; empty when nothing was cut.
    QString lastCutNote() const { return cutNote; }

    QLabel* counterLabel() const { return counter; }
    QLabel* previewLabel() const { return preview; }

    // Before a dialog accepts its texts: when an enabled, shown field holds characters the display cannot
    // show, asks whether to keep them. False when the user wants to correct them (the first such field
    // gets the focus).
    static bool confirmShowable(QWidget* dialog, const std::vector<LcdTextField*>& fields);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LcdTextField(QLineEdit* field, int width);

    void placeBesideField();
    void update();
    void cutToWidth(const QString& edited);
    bool takesPart() const;

    QLineEdit* field;
    int width;
    QLabel* counter;
    QLabel* preview;
    QString cutNote;
};
