#include "WriteChangesDialog.h"

#include "ProblemsDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QListWidget* newList(QWidget* parent, const char* objectName, int minimumHeight)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(objectName));
    list->setWordWrap(true);
    list->setAlternatingRowColors(true);
    list->setMinimumSize(640, minimumHeight);
    return list;
}

QLabel* newLabel(QWidget* parent, const char* objectName, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setWordWrap(true);
    return label;
}

} // namespace

WriteChangesDialog::WriteChangesDialog(QWidget* parent, const std::vector<config_zelmar::Difference>& changes,
                                       const std::vector<config_zelmar::Problem>& problems)
    : QDialog(parent, Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("writeChangesDialog"));
    setWindowTitle(tr("Запись в прибор"));
    setMinimumWidth(520);
    auto* layout = new QVBoxLayout(this);
    QString question = tr("Прибор уже содержит эту конфигурацию. Записать всё равно?");
    if (!changes.empty()) {
        layout->addWidget(newLabel(this, "changesTitle", tr("Изменится в приборе: %1").arg(changes.size())));
        QListWidget* list = newList(this, "changes", 220);
        for (const config_zelmar::Difference& change : changes) {
            list->addItem(QString::fromStdString(change.line));
        }
        layout->addWidget(list);
        question = tr("Записать изменения в прибор?");
    }
    if (!problems.empty()) {
        layout->addWidget(newLabel(this, "problemsTitle", tr("Проблемы конфигурации:")));
        QListWidget* list = newList(this, "problems", 90);
        ProblemsDialog::addProblemRows(*list, problems);
        layout->addWidget(list);
    }
    layout->addWidget(newLabel(this, "question", question));
    auto* buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    buttons->addButton(tr("Записать"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(tr("Отмена"), QDialogButtonBox::RejectRole);
    cancel->setDefault(true);
    cancel->setFocus();
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}
