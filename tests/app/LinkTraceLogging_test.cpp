// The serial traffic trace reaches the "zelmar.link" logging category only when that category is on.
#include "LinkTraceLogging.h"

#include "rs485/TrafficTrace.h"

#include <QtTest>

namespace {

QStringList linkMessages;

void recordLinkMessages(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (QByteArray(context.category) == "zelmar.link") {
        linkMessages << message;
    }
}

} // namespace

class LinkTraceLoggingTest : public QObject
{
    Q_OBJECT

private slots:
    void offByDefault()
    {
        QLoggingCategory::setFilterRules(QString());
        installLinkTraceLogging();
        QVERIFY(!rs485::trafficTraceEnabled());
    }

    void enabledCategoryReceivesTheTrace()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("zelmar.link.debug=true"));
        installLinkTraceLogging();
        QVERIFY(rs485::trafficTraceEnabled());

        linkMessages.clear();
        const QtMessageHandler previous = qInstallMessageHandler(recordLinkMessages);
        rs485::traceTraffic("12.345 > space F1 00");
        qInstallMessageHandler(previous);
        QCOMPARE(linkMessages, QStringList{QStringLiteral("12.345 > space F1 00")});

        QLoggingCategory::setFilterRules(QString());
        installLinkTraceLogging();
        QVERIFY(!rs485::trafficTraceEnabled());
    }
};

QTEST_MAIN(LinkTraceLoggingTest)
#include "LinkTraceLogging_test.moc"
