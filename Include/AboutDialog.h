#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class AboutDialog;
}

// The logo, the program title and version, what the program is for and the Qt version it runs on.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent);
    ~AboutDialog() override;

private:
    std::unique_ptr<Ui::AboutDialog> form;
};
