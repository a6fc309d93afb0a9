#include "ProblemsDialog.h"

#include "config_zelmar/ConfigurationCheck.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int problemRole = Qt::UserRole;

QString countText(const std::vector<config_zelmar::Problem>& problems)
{
    int errors = 0;
    for (const config_zelmar::Problem& problem : problems) {
        errors += problem.severity == config_zelmar::Problem::Severity::error ? 1 : 0;
    }
    const int warnings = static_cast<int>(problems.size()) - errors;
    return QObject::tr("Ошибок: %1, предупреждений: %2. Двойной щелчок по строке показывает объект.")
        .arg(errors)
        .arg(warnings);
}

} // namespace

ProblemsDialog::ProblemsDialog(QWidget* parent, std::vector<config_zelmar::Problem> problems, Purpose purpose)
    : QDialog(parent, Qt::WindowCloseButtonHint), shown(std::move(problems))
{
    setObjectName(QStringLiteral("problemsDialog"));
    setWindowTitle(tr("Проверка конфигурации"));
    auto* layout = new QVBoxLayout(this);
    auto* summary = new QLabel(countText(shown), this);
    summary->setObjectName(QStringLiteral("summary"));
    layout->addWidget(summary);
    list = new QListWidget(this);
    list->setObjectName(QStringLiteral("problems"));
    list->setWordWrap(true);
    list->setAlternatingRowColors(true);
    list->setMinimumSize(720, 260);
    layout->addWidget(list);
    fillList();
    connect(list, &QListWidget::itemActivated, this, &ProblemsDialog::onItemActivated);
    addButtons(purpose);
}

void ProblemsDialog::fillList()
{
    addProblemRows(*list, shown);
}

void ProblemsDialog::addProblemRows(QListWidget& rows, const std::vector<config_zelmar::Problem>& problems)
{
    const QIcon errorIcon(QStringLiteral(":/res/16x16/dialog-error.png"));
    const QIcon warningIcon(QStringLiteral(":/res/16x16/dialog-warning.png"));
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const config_zelmar::Problem& problem = problems[i];
        const bool error = problem.severity == config_zelmar::Problem::Severity::error;
        auto* item =
            new QListWidgetItem(error ? errorIcon : warningIcon, QString::fromStdString(problem.message));
        item->setData(problemRole, static_cast<int>(i));
        item->setToolTip(error ? tr("Ошибка: не будет записано в прибор")
                               : tr("Предупреждение: будет записано не так, как задано"));
        rows.addItem(item);
    }
}

void ProblemsDialog::addButtons(Purpose purpose)
{
    auto* buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    if (purpose == Purpose::review) {
        buttons->addButton(QDialogButtonBox::Close);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        layout()->addWidget(buttons);
        return;
    }
    if (config_zelmar::hasErrors(shown)) {
        auto* question =
            new QLabel(tr("Часть настроек не будет записана в прибор. Записать всё равно?"), this);
        question->setObjectName(QStringLiteral("question"));
        layout()->addWidget(question);
        buttons->addButton(tr("Да"), QDialogButtonBox::AcceptRole);
        QPushButton* no = buttons->addButton(tr("Нет"), QDialogButtonBox::RejectRole);
        no->setDefault(true);
        no->setFocus();
    } else {
        QPushButton* write = buttons->addButton(tr("Записать"), QDialogButtonBox::AcceptRole);
        buttons->addButton(tr("Отмена"), QDialogButtonBox::RejectRole);
        write->setDefault(true);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout()->addWidget(buttons);
}

void ProblemsDialog::activateRow(int row)
{
    onItemActivated(list->item(row));
}

void ProblemsDialog::onItemActivated(QListWidgetItem* item)
{
    if (item == nullptr) {
        return;
    }
    const int index = item->data(problemRole).toInt();
    emit problemActivated(shown.at(static_cast<std::size_t>(index)).path);
}
