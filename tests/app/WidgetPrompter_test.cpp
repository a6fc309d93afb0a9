// The program's save dialog completes a name typed without an extension from the filter; the unsaved
// edits question reads in Russian also without the Qt catalogue and answers with the button pressed.
#include "WidgetPrompter.h"
#include "support/ModalCloser.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString xmlFilter = QStringLiteral("XML-файлы (*.xml)");

// Runs the save dialog of the program's prompter and types the given name into it.
QString saveAsTyped(const QString& folder, const QString& typedName)
{
    ModalCloser closer([&](QDialog* dialog) {
        // Typed into the name field: selectFile() leaves a focused field as it is.
        auto* nameField = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (qobject_cast<QFileDialog*>(dialog) == nullptr || nameField == nullptr) {
            dialog->reject(); // not the dialog expected: the comparison fails, nothing hangs
            return;
        }
        nameField->setText(typedName);
        dialog->accept(); // QFileDialog::accept, which completes the typed name
        if (dialog->isVisible()) {
            dialog->reject(); // refused: fail instead of hanging
        }
    });
    WidgetPrompter prompter;
    const QString chosen = prompter.saveFileName(nullptr, QString(), folder, xmlFilter);
    if (!closer.appeared()) {
        qWarning("no save dialog appeared");
    }
    return chosen;
}

} // namespace

class WidgetPrompterTest : public QObject
{
    Q_OBJECT

private slots:
    void saveDialogAddsTheFilterExtensionToATypedName()
    {
        QTemporaryDir folder;
        QCOMPARE(saveAsTyped(folder.path(), QStringLiteral("site")), folder.filePath("site.xml"));
        QCOMPARE(saveAsTyped(folder.path(), QStringLiteral("site.xml")), folder.filePath("site.xml"));
        QCOMPARE(saveAsTyped(folder.path(), QStringLiteral("site.bak")), folder.filePath("site.bak"));
    }

    void unsavedEditsQuestionAnswersWithTheButtonPressed_data()
    {
        QTest::addColumn<int>("pressed");
        QTest::addColumn<QString>("text");
        QTest::newRow("Сохранить") << int(QMessageBox::Save) << QStringLiteral("Сохранить");
        QTest::newRow("Не сохранять") << int(QMessageBox::Discard) << QStringLiteral("Не сохранять");
        QTest::newRow("Отмена") << int(QMessageBox::Cancel) << QStringLiteral("Отмена");
    }

    void unsavedEditsQuestionAnswersWithTheButtonPressed()
    {
        QFETCH(int, pressed);
        QFETCH(QString, text);
        const auto buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
        QString shownText;
        ModalCloser closer([&](QDialog* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            if (box == nullptr) {
                dialog->reject();
                return;
            }
            shownText = box->button(QMessageBox::StandardButton(pressed))->text();
            box->button(QMessageBox::StandardButton(pressed))->click();
        });
        WidgetPrompter prompter;
        const auto answer = prompter.question(nullptr, QStringLiteral("Конфигуратор «Зелмар»"),
                                              QStringLiteral("Сохранить изменения в конфигурации?"), buttons,
                                              QMessageBox::Save);
        QVERIFY(closer.appeared());
        QCOMPARE(int(answer), pressed);
        QCOMPARE(shownText, text);
    }
};

QTEST_MAIN(WidgetPrompterTest)
#include "WidgetPrompter_test.moc"
