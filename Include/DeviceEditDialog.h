#pragma once

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace config_zelmar {
class Configuration;
class Device;
} // namespace config_zelmar
namespace Ui {
class DeviceEditDialog;
}
class EventsPageWidget;
class LcdTextField;
class QLineEdit;

// Edits one device: its section (central console), address, zone (section console), the six names and
// the event name table. The dialog never writes into the model by itself: the page stores it into a
// device with storeDevice() once OK was accepted.
class DeviceEditDialog : public QDialog
{
    Q_OBJECT

public:
    DeviceEditDialog(QWidget* parent, const config_zelmar::Configuration* configuration,
                     EventsPageWidget* eventsPage);
    ~DeviceEditDialog() override;

    // Places the dialog at a section and address before it is run for a new device.
    void preset(int section, int address);
    void loadDevice(const config_zelmar::Device& device, int section);
    void storeDevice(config_zelmar::Device& device) const;

    // The chosen section: the spin box value on a central console, 0 on a section console.
    int section() const;
    int address() const;

    // Asked after OK once the input is valid, with the dialog still open: the page's questions about
    // what storing would do (a new section console, a device replaced). False keeps the dialog open
    // with everything typed.
    using Confirmation = std::function<bool()>;
    void setConfirmation(Confirmation confirm);

public slots:
    void loadEventTables();
    void updateDefaultNames();
    void partialUpdateDefaultNames();
    void defaultNamesClicked(bool checked);
    void onAccepted();
    void onSectionChanged();
    void onAddressChanged();
    void addEventTableClicked();

private:
    static constexpr int nameCount = 6;
    using Names = std::array<std::u16string, nameCount>;

    bool central() const;
    std::array<QLineEdit*, nameCount> nameFields() const;
    static Names defaultNamesOf(int address, int section);
    void rememberPlace();
    void updateAddEventTableEnabled();

    std::unique_ptr<Ui::DeviceEditDialog> form;
    const config_zelmar::Configuration* configuration;
    EventsPageWidget* eventsPage;
    Confirmation confirmation;
    std::vector<LcdTextField*> lcdFields;
    int previousSection = 1;
    int previousAddress = 1;
};
