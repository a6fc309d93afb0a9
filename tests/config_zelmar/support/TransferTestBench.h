#pragma once

#include "config_zelmar/ConfigZelmar.h"
#include "config_zelmar/Configuration.h"
#include "config_zelmar/ConfiguratorError.h"
#include "config_zelmar/ImageStore.h"
#include "config_zelmar/ProgressHandler.h"

#include "panel_emulator/PanelEmulator.h"
#include "panel_emulator/SimulatedClock.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace transfer_test {

// Records every fraction reported; may act on a report (to inject a fault at a given step).
class RecordingProgress : public config_zelmar::ProgressHandler
{
public:
    void setProgress(float fraction) override;

    std::vector<float> fractions;
    std::function<void(std::size_t reportNumber)> onReport;
};

// An emulated panel in simulated time, wired to a transfer object through an emulated port, with the
// host's last applied baud rate recorded. Today is fixed at 01.03.2025.
class TransferTestBench
{
public:
    TransferTestBench();

    // Each opens the port, runs one transfer and closes the port, as the main window does. The error
    // code when the transfer failed.
    std::optional<unsigned> read(config_zelmar::Configuration& configuration,
                                 config_zelmar::ProgressHandler* progress = nullptr);
    std::optional<unsigned> write(config_zelmar::Configuration& configuration,
                                  config_zelmar::ProgressHandler* progress = nullptr);
    // Any transfer call between opening and closing the port.
    std::optional<unsigned> run(const std::function<void()>& transferCall);

    std::vector<uint8_t> options() const;
    std::vector<uint8_t> configuration() const;
    // Fills both memories with random bytes, keeping a valid firmware code.
    void fillRandom(unsigned seed);
    // Commands (by code) received since the log was last cleared.
    std::vector<uint8_t> commandCodes() const;

    // Emulated ports to the panel, as the transfer has them, for other users of the link.
    rs485::PortFactory portFactory();

    // Arms the faults just before the host sends anything once the panel has logged this many commands.
    void armFaultsAtCommand(std::size_t loggedCommands, const panel_emulator::PanelFaults& faults);

    // A new transfer object on the same panel, as a restarted program has, with the same raised speed,
    // write options and image store as before.
    void restart();
    // The images and backups of the transfer from now on, in the folder; kept across restarts.
    void useStore(std::shared_ptr<config_zelmar::ImageStore> store);

    std::shared_ptr<panel_emulator::SimulatedClock> clock;
    panel_emulator::PanelEmulator panel;
    std::shared_ptr<uint32_t> hostBaudRate;
    std::shared_ptr<std::function<void()>> beforeHostWrite;
    config_zelmar::LocalDate today{1, 3, 2025};
    std::unique_ptr<config_zelmar::ConfigZelmar> transfer;
    std::shared_ptr<config_zelmar::ImageStore> store;

private:
    std::unique_ptr<config_zelmar::ConfigZelmar> makeTransfer();
};

// A central console using every place of the memory map: 24 consoles with duplicates and names,
// device records up to the pool's limit, 64 commands, 16 customised tables.
config_zelmar::Configuration maximalCentralConfiguration();
// A section console with 127 devices in zones, with names.
config_zelmar::Configuration maximalSectionConfiguration();

} // namespace transfer_test
