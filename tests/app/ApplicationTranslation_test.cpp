// The Russian Qt catalogue is found beside the program (a build tree) or in the data folder of an
// installation beside it (an installed or unpacked package), so that question boxes say "Да" and "Нет".
#include "ApplicationTranslation.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {

const QString systemCatalogues = QStringLiteral("/usr/share/qt5/translations");

// qt_ru.qm refers to the catalogues of the Qt modules (qtbase_ru.qm holds the button texts); it loads
// only with all of them in its folder.
bool copyCatalogues(const QString& folder)
{
    QDir().mkpath(folder);
    const QStringList names = QDir(systemCatalogues).entryList({QStringLiteral("qt*_ru.qm")}, QDir::Files);
    if (!names.contains(QStringLiteral("qt_ru.qm"))) {
        return false;
    }
    for (const QString& name : names) {
        if (!QFile::copy(systemCatalogues + "/" + name, folder + "/" + name)) {
            return false;
        }
    }
    return true;
}

QString yesText()
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    return box.button(QMessageBox::Yes)->text();
}

} // namespace

class ApplicationTranslationTest : public QObject
{
    Q_OBJECT

private slots:
    void catalogueIsFoundWhereTheProgramLives_data()
    {
        QTest::addColumn<QStringList>("cataloguesIn"); // relative to the installation root
        QTest::addColumn<QString>("found");
        QTest::addColumn<QString>("yes");
        const QString beside = QStringLiteral("usr/bin");
        const QString installed = QStringLiteral("usr/share/zelmar-configurator/translations");
        QTest::newRow("beside the program") << QStringList{beside} << beside << QStringLiteral("&Да");
        QTest::newRow("installed data folder")
            << QStringList{installed} << installed << QStringLiteral("&Да");
        QTest::newRow("both: beside wins")
            << QStringList{installed, beside} << beside << QStringLiteral("&Да");
        QTest::newRow("none") << QStringList() << QString() << QStringLiteral("&Yes");
    }

    void catalogueIsFoundWhereTheProgramLives()
    {
        QFETCH(QStringList, cataloguesIn);
        QFETCH(QString, found);
        QFETCH(QString, yes);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        QDir().mkpath(root.filePath("usr/bin"));
        for (const QString& folder : cataloguesIn) {
            QVERIFY(copyCatalogues(root.filePath(folder)));
        }
        QTranslator translator;
        const QString folder = installQtTranslation(translator, root.filePath("usr/bin"));
        QCOMPARE(folder, found.isEmpty() ? QString() : root.filePath(found));
        QCOMPARE(yesText(), yes);
    }
};

QTEST_MAIN(ApplicationTranslationTest)
#include "ApplicationTranslation_test.moc"
