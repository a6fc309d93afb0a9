#pragma once

#include "report/ReportContent.h"

#include <QByteArray>

namespace report {

// The report as one UTF-8 HTML page with its style sheet inside: default values in italics, values that
// differ from the default event table marked, table headers repeated on every printed page.
QByteArray htmlReport(const ReportContent& content);

} // namespace report
