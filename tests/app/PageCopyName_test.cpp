// The name proposed for a copied event table or command: trailing number incremented, or "2" appended, cut to
// fit.
#include "GenerateCopyName.h"

#include <QtTest>

namespace {

QString copyName(const QString& name, unsigned maxLength)
{
    const std::u16string source(reinterpret_cast<const char16_t*>(name.utf16()), name.size());
    const std::u16string result = GenerateCopyName(source, maxLength);
    return QString::fromUtf16(result.data(), int(result.size()));
}

} // namespace

class PageCopyNameTest : public QObject
{
    Q_OBJECT

private slots:
    void proposesCopyName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<uint>("maxLength");
        QTest::addColumn<QString>("expected");

        QTest::newRow("no digits") << QStringLiteral("Тревога") << 10u << QStringLiteral("Тревога2");
        QTest::newRow("number grows") << QStringLiteral("Табл9") << 10u << QStringLiteral("Табл10");
        QTest::newRow("99 to 100") << QStringLiteral("Копия99") << 0u << QStringLiteral("Копия100");
        QTest::newRow("leading zeros lost")
            << QStringLiteral("Кнопка007") << 19u << QStringLiteral("Кнопка8");
        QTest::newRow("only trailing run") << QStringLiteral("А1Б2") << 10u << QStringLiteral("А1Б3");
        QTest::newRow("digits only") << QStringLiteral("5") << 10u << QStringLiteral("6");
        QTest::newRow("all zeros") << QStringLiteral("Т000") << 10u << QStringLiteral("Т1");
        QTest::newRow("full name loses a letter")
            << QStringLiteral("Абвгдежзий") << 10u << QStringLiteral("Абвгдежзи2");
        QTest::newRow("grown number cuts the base")
            << QStringLiteral("Абвгдежзи9") << 10u << QStringLiteral("Абвгдежз10");
        QTest::newRow("empty name") << QString() << 10u << QStringLiteral("2");
        QTest::newRow("suffix longer than limit") << QStringLiteral("А999") << 2u << QStringLiteral("00");
        QTest::newRow("no limit") << QStringLiteral("Команда5") << 0u << QStringLiteral("Команда6");
        QTest::newRow("command limit") << QStringLiteral("Команда5") << 19u << QStringLiteral("Команда6");
        QTest::newRow("non-ASCII digit is a letter") << QStringLiteral("Х٣") << 10u << QStringLiteral("Х٣2");
    }

    void proposesCopyName()
    {
        QFETCH(QString, name);
        QFETCH(uint, maxLength);
        QFETCH(QString, expected);
        QCOMPARE(copyName(name, maxLength), expected);
    }

    void incrementsNumbersBeyondSixtyFourBits()
    {
        QCOMPARE(copyName(QStringLiteral("N9223372036854775807"), 0), QStringLiteral("N9223372036854775808"));
        QCOMPARE(copyName(QStringLiteral("99999999999999999999999"), 0),
                 QStringLiteral("100000000000000000000000"));
        QCOMPARE(copyName(QStringLiteral("X12345678901234567890123"), 10), QStringLiteral("4567890124"));
    }
};

QTEST_MAIN(PageCopyNameTest)
#include "PageCopyName_test.moc"
