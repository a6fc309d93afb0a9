#pragma once

#include <config_zelmar/Event.h>

#include <QDialog>
#include <QPalette>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace config_zelmar {
class Configuration;
class EventTable;
} // namespace config_zelmar
namespace Ui {
class EventTableEditDialog;
}
class LcdTextField;
class QCheckBox;
class QLineEdit;

// Edits the name, the 24 event texts and the emergency flags of one event name table, marking in light
// yellow every event that differs from the default table. The default table itself is shown read-only.
// The dialog never writes into the model by itself: storeData() is called once OK was accepted.
class EventTableEditDialog : public QDialog
{
    Q_OBJECT

public:
    EventTableEditDialog(QWidget* parent, const config_zelmar::Configuration* configuration,
                         bool defaultTable, bool editing);
    ~EventTableEditDialog() override;

    void loadData(const config_zelmar::EventTable& table);
    void storeData(config_zelmar::EventTable& table) const;
    // True when the event field of slot shows the highlight palette.
    bool isHighlighted(int slot) const;

public slots:
    void onAccepted();
    void onLoop1NormChanged() { updateHighlight(config_zelmar::Event::loop1Norm); }
    void onLoop1FailureChanged() { updateHighlight(config_zelmar::Event::loop1Failure); }
    void onLoop1WarningChanged() { updateHighlight(config_zelmar::Event::loop1Warning); }
    void onLoop1FireChanged() { updateHighlight(config_zelmar::Event::loop1Fire); }
    void onLoop1TakeOffChanged() { updateHighlight(config_zelmar::Event::loop1TakeOff); }
    void onLoop1PutChanged() { updateHighlight(config_zelmar::Event::loop1Put); }
    void onLoop1AlarmChanged() { updateHighlight(config_zelmar::Event::loop1Alarm); }
    void onLoop1ActivationChanged() { updateHighlight(config_zelmar::Event::loop1Activation); }
    void onLoop2NormChanged() { updateHighlight(config_zelmar::Event::loop2Norm); }
    void onLoop2FailureChanged() { updateHighlight(config_zelmar::Event::loop2Failure); }
    void onLoop2WarningChanged() { updateHighlight(config_zelmar::Event::loop2Warning); }
    void onLoop2FireChanged() { updateHighlight(config_zelmar::Event::loop2Fire); }
    void onLoop2TakeOffChanged() { updateHighlight(config_zelmar::Event::loop2TakeOff); }
    void onLoop2PutChanged() { updateHighlight(config_zelmar::Event::loop2Put); }
    void onLoop2AlarmChanged() { updateHighlight(config_zelmar::Event::loop2Alarm); }
    void onLoop2ActivationChanged() { updateHighlight(config_zelmar::Event::loop2Activation); }
    void onLine3NormChanged() { updateHighlight(config_zelmar::Event::line3Norm); }
    void onLine3FailureChanged() { updateHighlight(config_zelmar::Event::line3Failure); }
    void onLine3ActivationChanged() { updateHighlight(config_zelmar::Event::line3Activation); }
    void onLine4NormChanged() { updateHighlight(config_zelmar::Event::line4Norm); }
    void onLine4FailureChanged() { updateHighlight(config_zelmar::Event::line4Failure); }
    void onLine4ActivationChanged() { updateHighlight(config_zelmar::Event::line4Activation); }
    void onDeviceTamperChanged() { updateHighlight(config_zelmar::Event::deviceTamper); }
    void onOutsFailureChanged() { updateHighlight(config_zelmar::Event::outsFailure); }

private:
    static constexpr std::size_t eventCount = config_zelmar::Event::count;

    void findEventControls();
    void connectEventControls();
    void makeReadOnly();
    void updateHighlight(int slot);
    QString problemWithInput() const;

    std::unique_ptr<Ui::EventTableEditDialog> form;
    const config_zelmar::Configuration* configuration;
    bool defaultTable;
    bool editing;
    std::u16string nameAtOpening;
    QPalette normalPalette;
    QPalette highlightPalette;
    std::array<QLineEdit*, eventCount> texts{};
    std::array<QCheckBox*, eventCount> emergencyBoxes{};
    std::vector<LcdTextField*> lcdFields;
};
