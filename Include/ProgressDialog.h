#pragma once

#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class ProgressDialog;
}

// The progress of a running panel read or write, with the time left estimated from the pace so far. The
// user cannot close it; its owner deletes it. A read offers "Прервать", which the transfer obeys before
// its next page; a write cannot be stopped, and the dialog says so.
class ProgressDialog : public QWidget
{
    Q_OBJECT

public:
    // Milliseconds from any fixed start; only differences count.
    using Clock = std::function<qint64()>;

    ProgressDialog(QWidget* parent, bool writing, Clock clock = steadyClock());
    ~ProgressDialog() override;

    int progressValue() const;
    QString phase() const;
    QString timeLeftText() const;
    bool cancelRequested() const { return cancelled; }

    static Clock steadyClock();

public slots:
    // The finished fraction 0 to 1; the bar shows it in whole percent, truncated.
    void setProgress(float value);
    // What the transfer is busy with, shown above the bar; the bar starts again at 0.
    void setPhase(const QString& text);
    void onCancel();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void centreOver(const QWidget& parent);
    void showTimeLeft(float value);

    std::unique_ptr<Ui::ProgressDialog> form;
    Clock clock;
    qint64 startTime;
    bool cancelled = false;
};
