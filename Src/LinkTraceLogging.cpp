#include "LinkTraceLogging.h"

#include "rs485/TrafficTrace.h"

Q_LOGGING_CATEGORY(lcLink, "zelmar.link", QtWarningMsg)

void installLinkTraceLogging()
{
    if (!lcLink().isDebugEnabled()) {
        rs485::setTrafficTraceSink(nullptr);
        return;
    }
    rs485::setTrafficTraceSink(
        [](const std::string& line) { qCDebug(lcLink).noquote() << QString::fromStdString(line); });
}
