#pragma once

#include <QLoggingCategory>

// The serial traffic trace for support, off by default; switched on with the logging rule
// "zelmar.link.debug=true" (for example in QT_LOGGING_RULES).
Q_DECLARE_LOGGING_CATEGORY(lcLink)

// Routes the link's traffic trace into the "zelmar.link" category, only while that category is enabled,
// so that the link does no formatting work otherwise.
void installLinkTraceLogging();
