#include "EventTableEditDialog.h"

#include "LcdTextField.h"
#include "Prompter.h"
#include "ui_EventTableEditDialog.h"

#include <config_zelmar/Configuration.h>
#include <config_zelmar/LCDCharset.h>

#include <QPushButton>

using config_zelmar::Event;
using config_zelmar::EventTable;

namespace {

const QColor highlightColour(255, 255, 191);

std::u16string toLcdText(const QString& text)
{
    std::u16string converted = text.simplified().toStdU16String();
    config_zelmar::applyLcdLookAlike(converted);
    return converted;
}

using ChangeSlot = void (EventTableEditDialog::*)();

// One slot per event, in the order of the event slots.
constexpr ChangeSlot changeSlots[Event::count] = {
    &EventTableEditDialog::onLoop1NormChanged,       &EventTableEditDialog::onLoop1FailureChanged,
    &EventTableEditDialog::onLoop1WarningChanged,    &EventTableEditDialog::onLoop1FireChanged,
    &EventTableEditDialog::onLoop1TakeOffChanged,    &EventTableEditDialog::onLoop1PutChanged,
    &EventTableEditDialog::onLoop1AlarmChanged,      &EventTableEditDialog::onLoop1ActivationChanged,
    &EventTableEditDialog::onLoop2NormChanged,       &EventTableEditDialog::onLoop2FailureChanged,
    &EventTableEditDialog::onLoop2WarningChanged,    &EventTableEditDialog::onLoop2FireChanged,
    &EventTableEditDialog::onLoop2TakeOffChanged,    &EventTableEditDialog::onLoop2PutChanged,
    &EventTableEditDialog::onLoop2AlarmChanged,      &EventTableEditDialog::onLoop2ActivationChanged,
    &EventTableEditDialog::onLine3NormChanged,       &EventTableEditDialog::onLine3FailureChanged,
    &EventTableEditDialog::onLine3ActivationChanged, &EventTableEditDialog::onLine4NormChanged,
    &EventTableEditDialog::onLine4FailureChanged,    &EventTableEditDialog::onLine4ActivationChanged,
    &EventTableEditDialog::onDeviceTamperChanged,    &EventTableEditDialog::onOutsFailureChanged};

} // namespace

EventTableEditDialog::EventTableEditDialog(QWidget* parent, const config_zelmar::Configuration* configuration,
                                           bool defaultTable, bool editing)
    : QDialog(parent, Qt::WindowCloseButtonHint), form(std::make_unique<Ui::EventTableEditDialog>()),
      configuration(configuration), defaultTable(defaultTable), editing(editing)
{
    form->setupUi(this);
    findEventControls();
    if (!defaultTable) {
        lcdFields.push_back(
            LcdTextField::attach(form->name, int(config_zelmar::panel_description::tableNameWidth)));
    }
    for (QLineEdit* text : texts) {
        lcdFields.push_back(
            LcdTextField::attach(text, int(config_zelmar::panel_description::eventTextWidth)));
    }
    normalPalette = texts[0]->palette();
    highlightPalette = normalPalette;
    highlightPalette.setColor(QPalette::Base, highlightColour);
    connectEventControls();
    disconnect(form->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(form->buttonBox, &QDialogButtonBox::accepted, this, &EventTableEditDialog::onAccepted);
    if (defaultTable) {
        makeReadOnly();
    }
}

EventTableEditDialog::~EventTableEditDialog() = default;

void EventTableEditDialog::findEventControls()
{
    for (std::size_t slot = 0; slot < eventCount; ++slot) {
        const QString key = QString::fromLatin1(Event::all()[slot].key);
        texts[slot] = findChild<QLineEdit*>(key);
        emergencyBoxes[slot] = findChild<QCheckBox*>(key + QLatin1Char('E'));
        Q_ASSERT(texts[slot] != nullptr && emergencyBoxes[slot] != nullptr);
    }
}

void EventTableEditDialog::connectEventControls()
{
    for (std::size_t slot = 0; slot < eventCount; ++slot) {
        connect(texts[slot], &QLineEdit::textEdited, this, changeSlots[slot]);
        connect(emergencyBoxes[slot], &QCheckBox::clicked, this, changeSlots[slot]);
    }
}

void EventTableEditDialog::makeReadOnly()
{
    form->name->setMaxLength(12);
    form->name->setText(QStringLiteral("По умолчанию"));
    form->name->setEnabled(false);
    for (std::size_t slot = 0; slot < eventCount; ++slot) {
        texts[slot]->setEnabled(false);
        emergencyBoxes[slot]->setEnabled(false);
    }
    form->buttonBox->setStandardButtons(QDialogButtonBox::Ok);
}

void EventTableEditDialog::loadData(const EventTable& table)
{
    if (!defaultTable) {
        form->name->setText(QString::fromStdU16String(table.name));
    }
    if (editing) {
        nameAtOpening = table.name;
    }
    for (std::size_t slot = 0; slot < eventCount; ++slot) {
        texts[slot]->setText(QString::fromStdU16String(table.texts[slot]));
        emergencyBoxes[slot]->setChecked(table.emergency[slot]);
        updateHighlight(int(slot));
    }
}

void EventTableEditDialog::storeData(EventTable& table) const
{
    if (defaultTable) {
        return;
    }
    table.name = toLcdText(form->name->text());
    for (std::size_t slot = 0; slot < eventCount; ++slot) {
        table.texts[slot] = toLcdText(texts[slot]->text());
        table.emergency[slot] = emergencyBoxes[slot]->isChecked();
    }
}

bool EventTableEditDialog::isHighlighted(int slot) const
{
    return texts.at(std::size_t(slot))->palette().color(QPalette::Base) == highlightColour;
}

void EventTableEditDialog::updateHighlight(int slot)
{
    const Event& event = Event::all().at(std::size_t(slot));
    bool differs = emergencyBoxes[slot]->isChecked() != event.defaultEmergency;
    if (!differs) {
        std::u16string text = texts[slot]->text().toStdU16String();
        config_zelmar::applyLcdLookAlike(text);
        differs = text != event.defaultText;
    }
    texts[slot]->setPalette(differs ? highlightPalette : normalPalette);
}

QString EventTableEditDialog::problemWithInput() const
{
    if (form->name->text().simplified().isEmpty()) {
        return QStringLiteral("Введите название таблицы!");
    }
    // Names are compared as they will be stored, so that "Табл " cannot slip in beside "Табл".
    const std::u16string name = toLcdText(form->name->text());
    if (name != nameAtOpening && configuration->eventTableNameExists(name)) {
        return QStringLiteral("Таблица с названием \"%1\" уже добавлена!").arg(form->name->text());
    }
    for (const QLineEdit* text : texts) {
        if (text->text().simplified().isEmpty()) {
            return QStringLiteral("Введите названия всех событий!");
        }
    }
    return QString();
}

void EventTableEditDialog::onAccepted()
{
    if (!defaultTable) {
        const QString problem = problemWithInput();
        if (!problem.isEmpty()) {
            Prompter::current().warning(this, QStringLiteral("Ошибка"), problem);
            return;
        }
        if (!LcdTextField::confirmShowable(this, lcdFields)) {
            return;
        }
    }
    accept();
}
