// The program's save dialog completes a name typed without an extension from the filter.
#include "WidgetPrompter.h"
#include "support/ModalCloser.h"

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
};

QTEST_MAIN(WidgetPrompterTest)
#include "WidgetPrompter_test.moc"
