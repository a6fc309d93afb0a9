#pragma once

#include <functional>
#include <memory>

namespace config_zelmar {
class PanelLinkCheck;
class PortEnvironment;
} // namespace config_zelmar

// What the connection check and the open-failure messages talk to: the machine's facts about ports, and
// the panel link of the check. The defaults are this computer's; tests and the emulated panel plug in
// their own.
struct ConnectionCheckSetup
{
    using PanelCheckFactory = std::function<std::unique_ptr<config_zelmar::PanelLinkCheck>()>;

    std::shared_ptr<const config_zelmar::PortEnvironment> environment;
    PanelCheckFactory makePanelCheck;

    static ConnectionCheckSetup system();
};
