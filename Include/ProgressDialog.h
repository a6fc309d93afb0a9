#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class ProgressDialog;
}

// The progress of a running panel read or write. The user cannot close it; its owner deletes it.
class ProgressDialog : public QWidget
{
    Q_OBJECT

public:
    ProgressDialog(QWidget* parent, bool writing);
    ~ProgressDialog() override;

    int progressValue() const;
    QString phase() const;

public slots:
    // The finished fraction 0 to 1; the bar shows it in whole percent, truncated.
    void setProgress(float value);
    // What the transfer is busy with, shown above the bar; the bar starts again at 0.
    void setPhase(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void centreOver(const QWidget& parent);

    std::unique_ptr<Ui::ProgressDialog> form;
};
