#include "OptionControls.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/PanelDescription.h"
#include "ui_MainWindow.h"

namespace {

constexpr int noClockSync = config_zelmar::panel_description::noClockSyncHour;
constexpr unsigned zummerAlwaysSet = 0x20;
constexpr unsigned zummerButtonBit = 0x01;
constexpr unsigned zummerNewEventBit = 0x02;
constexpr unsigned zummerFailureBit = 0x04;
constexpr unsigned zummerWarningBit = 0x08;
constexpr unsigned zummerFireBit = 0x10;
constexpr unsigned zummerRemoteOffBit = 0x80;

} // namespace

OptionControls::OptionControls(Ui::MainWindow& mainForm) : form(mainForm)
{
    form.pultAddress->setRange(0, config_zelmar::panel_description::lastPultAddress);
}

int OptionControls::messageTimeEighths(double seconds)
{
    return static_cast<int>(seconds * 8.0);
}

void OptionControls::load(const config_zelmar::Configuration& configuration)
{
    loadMainOptions(configuration);
    loadInterfaceOptions(configuration);
    loadClockSync(configuration.clockSyncHour);
    loadZummer(configuration.zummerConfig);
    loadPassword(configuration);
}

void OptionControls::loadMainOptions(const config_zelmar::Configuration& configuration)
{
    form.pultAddress->setValue(configuration.pultAddress);
    form.voltage->setCurrentIndex(configuration.voltage ? 1 : 0);
    if (configuration.individualReset) {
        form.individualReset->setChecked(true);
    } else {
        form.commonReset->setChecked(true);
    }
}

void OptionControls::loadInterfaceOptions(const config_zelmar::Configuration& configuration)
{
    form.backlightLevel->setCurrentIndex(configuration.backlightLevel);
    form.backlightTime->setValue(configuration.backlightTime);
    form.messageTime->setValue(configuration.messageTime * 0.125);
    form.menuTime->setValue(configuration.menuTime);
}

void OptionControls::loadClockSync(int hour)
{
    // Any hour outside the day (255 is what the panel stores) means no synchronisation.
    const bool enabled = hour >= 0 && hour <= config_zelmar::panel_description::lastClockSyncHour;
    form.clockSyncEnabled->setChecked(enabled);
    form.labelClockSyncHour->setEnabled(enabled);
    form.clockSyncHour->setEnabled(enabled);
    form.clockSyncHour->setCurrentIndex(enabled ? hour : 0);
}

void OptionControls::loadZummer(unsigned mask)
{
    form.zummerButton->setChecked((mask & zummerButtonBit) != 0);
    form.zummerNewEvent->setChecked((mask & zummerNewEventBit) != 0);
    form.zummerFailure->setChecked((mask & zummerFailureBit) != 0);
    form.zummerWarning->setChecked((mask & zummerWarningBit) != 0);
    form.zummerFire->setChecked((mask & zummerFireBit) != 0);
    form.zummerRemoteOff->setChecked((mask & zummerRemoteOffBit) != 0);
}

void OptionControls::loadPassword(const config_zelmar::Configuration& configuration)
{
    const bool hasPassword = configuration.hasPassword;
    form.setPassword->setChecked(hasPassword);
    form.passwordLabel->setEnabled(hasPassword);
    form.password->setEnabled(hasPassword);
    form.password->setText(hasPassword ? QString::fromStdString(configuration.password) : QString());
}

void OptionControls::store(config_zelmar::Configuration& configuration) const
{
    configuration.pultAddress = form.pultAddress->value();
    configuration.voltage = form.voltage->currentIndex() == 1;
    configuration.individualReset = form.individualReset->isChecked();
    configuration.backlightLevel = form.backlightLevel->currentIndex();
    configuration.backlightTime = form.backlightTime->value();
    configuration.messageTime = messageTimeEighths(form.messageTime->value());
    configuration.menuTime = form.menuTime->value();
    configuration.clockSyncHour =
        form.clockSyncEnabled->isChecked() ? form.clockSyncHour->currentIndex() : noClockSync;
    configuration.zummerConfig = zummerMask();
    if (form.setPassword->isChecked()) {
        configuration.storePassword(form.password->text().toStdString());
    } else {
        configuration.clearPassword();
    }
}

unsigned OptionControls::zummerMask() const
{
    unsigned mask = zummerAlwaysSet;
    mask |= form.zummerButton->isChecked() ? zummerButtonBit : 0;
    mask |= form.zummerNewEvent->isChecked() ? zummerNewEventBit : 0;
    mask |= form.zummerFailure->isChecked() ? zummerFailureBit : 0;
    mask |= form.zummerWarning->isChecked() ? zummerWarningBit : 0;
    mask |= form.zummerFire->isChecked() ? zummerFireBit : 0;
    mask |= form.zummerRemoteOff->isChecked() ? zummerRemoteOffBit : 0;
    return mask;
}

void OptionControls::showPultType(bool central)
{
    form.bSectionPults->setVisible(central);
    form.groupClockSync->setVisible(central);
    form.groupReset->setVisible(central);
    form.zummerRemoteOff->setText(central ? QObject::tr("Выключение зуммера с секционного пульта")
                                          : QObject::tr("Выключение зуммера с центрального пульта"));
    form.bDevices->setText(central ? QObject::tr("Названия приборов") : QObject::tr("Приборы"));
}
