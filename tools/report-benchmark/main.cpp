// Prints how long the commissioning report of 24 section consoles with 127 named devices each (3,048
// devices) takes as PDF, with the checks' problems first, its page count and size, and the times of the
// checks, the content, HTML and CSV alone.
// Figures only: nothing here passes or fails.
#include <config_zelmar/ConfigurationCheck.h>
#include <report/DeviceCsv.h>
#include <report/HtmlReport.h>
#include <report/OffscreenGui.h>
#include <report/PdfReport.h>
#include <report/ReportBuilder.h>
#include <sample_sites/SampleSites.h>

#include <QElapsedTimer>

#include <cstdio>

namespace {

constexpr int rounds = 3;

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main()
{
    const report::OffscreenGui gui;
    const config_zelmar::Configuration site = sample_sites::largeSite();
    report::ReportRequest request{u"large-site.xml", u"01.01.2025 12:00", false, {}};
    for (int round = 1; round <= rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        // As the tool and the configurator do: the checks' problems (here the names beyond the panel's
        // name pool) head the report.
        request.problems = config_zelmar::checkConfiguration(site);
        const double checkTime = milliseconds(timer);
        timer.restart();
        const report::ReportContent content = report::buildReport(site, request);
        const double contentTime = milliseconds(timer);
        timer.restart();
        const report::PdfResult pdf = report::pdfReport(content);
        const double pdfTime = milliseconds(timer);
        timer.restart();
        const QByteArray html = report::htmlReport(content);
        const double htmlTime = milliseconds(timer);
        timer.restart();
        const QByteArray csv = report::devicesCsv(site);
        const double csvTime = milliseconds(timer);
        std::printf(
            "round %d: checks %.1f ms (%zu problems); content %.1f ms; PDF %.1f ms, %d pages, %.0f KiB; "
            "HTML %.1f ms, %.0f KiB; CSV %.1f ms, %.0f KiB\n",
            round, checkTime, request.problems.size(), contentTime, pdfTime, pdf.pageCount,
            pdf.pdf.size() / 1024.0, htmlTime, html.size() / 1024.0, csvTime, csv.size() / 1024.0);
        std::fflush(stdout);
    }
    return 0;
}
