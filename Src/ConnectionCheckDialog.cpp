#include "ConnectionCheckDialog.h"

#include "ApplicationResources.h"
#include "PortField.h"
#include "ui_ConnectionCheckDialog.h"

#include "config_zelmar/ConnectionCheck.h"
#include "config_zelmar/PanelLinkCheck.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include <algorithm>

namespace {

using config_zelmar::CheckStatus;

QIcon statusIcon(const QStyle& style, CheckStatus status)
{
    switch (status) {
    case CheckStatus::Ok:
        return style.standardIcon(QStyle::SP_DialogApplyButton);
    case CheckStatus::Warning:
        return style.standardIcon(QStyle::SP_MessageBoxWarning);
    case CheckStatus::Error:
        break;
    }
    return style.standardIcon(QStyle::SP_MessageBoxCritical);
}

// A path such as /dev/serial/by-id/usb-FTDI_... is one long word to the table's word wrap, which would
// cut it; zero-width spaces after its slashes let it break there.
QString wrappable(const QString& detail)
{
    QString text = detail;
    return text.replace('/', QStringLiteral("/\u200B"));
}

QString statusName(CheckStatus status)
{
    switch (status) {
    case CheckStatus::Ok:
        return QObject::tr("в порядке");
    case CheckStatus::Warning:
        return QObject::tr("совет");
    case CheckStatus::Error:
        break;
    }
    return QObject::tr("ошибка");
}

} // namespace

ConnectionCheckDialog::ConnectionCheckDialog(QWidget* parent, PortLister portLister,
                                             ConnectionCheckSetup setup, const QString& port)
    : QDialog(parent), form(std::make_unique<Ui::ConnectionCheckDialog>()), setup(std::move(setup))
{
    initApplicationResources();
    form->setupUi(this);
    form->results->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    // Wrapped results take the height their column's new width needs.
    connect(form->results->horizontalHeader(), &QHeaderView::sectionResized, form->results,
            &QTableWidget::resizeRowsToContents);
    portField = new PortField(form->portName, std::move(portLister), this);
    portField->fill();
    if (!port.isEmpty()) {
        portField->setPortName(port);
    }
    connect(form->check, &QPushButton::clicked, this, &ConnectionCheckDialog::onCheck);
    connect(portField, &PortField::portNameChanged, this,
            [this] { form->check->setEnabled(!checkRunning && !portName().isEmpty()); });
    form->check->setEnabled(!portName().isEmpty());
}

ConnectionCheckDialog::~ConnectionCheckDialog() = default;

QString ConnectionCheckDialog::portName() const
{
    return portField->portName();
}

void ConnectionCheckDialog::setPreferredPort(const QString& port)
{
    portField->setPreferredPort(port);
}

void ConnectionCheckDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    portField->startWatching();
    // Opened on a port, the check starts by itself once the window is painted.
    if (!checkedOnShow && !portName().isEmpty()) {
        checkedOnShow = true;
        QTimer::singleShot(0, this, &ConnectionCheckDialog::onCheck);
    }
}

void ConnectionCheckDialog::hideEvent(QHideEvent* event)
{
    portField->stopWatching();
    QDialog::hideEvent(event);
}

void ConnectionCheckDialog::onCheck()
{
    const QString port = portName();
    if (checkRunning || port.isEmpty()) {
        return;
    }
    form->results->setRowCount(0);
    form->summary->clear();
    setRunning(true);
    const std::unique_ptr<config_zelmar::PanelLinkCheck> panel = setup.makePanelCheck();
    config_zelmar::ConnectionCheck check(*setup.environment, *panel);
    const config_zelmar::ConnectionCheckResult result =
        check.run(port.toStdString(), [this](const config_zelmar::CheckLine& line) {
            addLine(line);
            // Paints the line; input waits, so that nothing starts another check meanwhile.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    const bool hints = std::any_of(result.lines.begin(), result.lines.end(),
                                   [](const auto& line) { return line.status == CheckStatus::Warning; });
    showSummary(result.passed(), hints);
    setRunning(false);
    emit checkFinished();
}

void ConnectionCheckDialog::addLine(const config_zelmar::CheckLine& line)
{
    const int row = form->results->rowCount();
    form->results->insertRow(row);
    auto* title = new QTableWidgetItem(statusIcon(*style(), line.status), QString::fromStdString(line.title));
    title->setToolTip(statusName(line.status));
    title->setData(Qt::UserRole, static_cast<int>(line.status));
    form->results->setItem(row, 0, title);
    auto* detail = new QTableWidgetItem(wrappable(QString::fromStdString(line.detail)));
    detail->setToolTip(QString::fromStdString(line.detail));
    form->results->setItem(row, 1, detail);
    form->results->resizeRowToContents(row);
}

void ConnectionCheckDialog::showSummary(bool passed, bool hints)
{
    if (!passed) {
        form->summary->setText(
            tr("Связи с прибором нет: устраните ошибку, отмеченную выше, и проверьте снова."));
    } else if (hints) {
        form->summary->setText(
            tr("Связь с прибором есть. Советы выше помогут сделать её быстрее и надёжнее."));
    } else {
        form->summary->setText(tr("Связь с прибором в порядке."));
    }
}

void ConnectionCheckDialog::setRunning(bool running)
{
    checkRunning = running;
    form->check->setEnabled(!running && !portName().isEmpty());
    form->portName->setEnabled(!running);
    form->buttonBox->setEnabled(!running);
    // The list of ports stays as it is while the chosen one is checked.
    if (running) {
        portField->stopWatching();
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        if (isVisible()) {
            portField->startWatching();
        }
        QApplication::restoreOverrideCursor();
    }
}

void ConnectionCheckDialog::reject()
{
    if (!checkRunning) {
        QDialog::reject();
    }
}

void ConnectionCheckDialog::closeEvent(QCloseEvent* event)
{
    if (checkRunning) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
