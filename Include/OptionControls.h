#pragma once

namespace Ui {
class MainWindow;
}
namespace config_zelmar {
class Configuration;
}

// Copies between the controls of the two option pages of the main form (general options, interface
// options) and the configuration. The controls keep what the user typed until store() runs.
class OptionControls
{
public:
    explicit OptionControls(Ui::MainWindow& form);

    // Every control except the console type from the configuration.
    void load(const config_zelmar::Configuration& configuration);
    // Every control except the console type into the configuration.
    void store(config_zelmar::Configuration& configuration) const;
    // Shows the central-only controls and the console-dependent texts.
    void showPultType(bool central);

    // The control's storage value for messageTime: eighths of a second, truncated.
    static int messageTimeEighths(double seconds);

private:
    void loadMainOptions(const config_zelmar::Configuration& configuration);
    void loadInterfaceOptions(const config_zelmar::Configuration& configuration);
    void loadClockSync(int hour);
    void loadZummer(unsigned mask);
    void loadPassword(const config_zelmar::Configuration& configuration);
    unsigned zummerMask() const;

    Ui::MainWindow& form;
};
