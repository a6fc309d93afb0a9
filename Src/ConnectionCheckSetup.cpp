#include "ConnectionCheckSetup.h"

#include "config_zelmar/PanelLinkCheck.h"
#include "config_zelmar/SystemPortEnvironment.h"

ConnectionCheckSetup ConnectionCheckSetup::system()
{
    return ConnectionCheckSetup{std::make_shared<config_zelmar::SystemPortEnvironment>(),
                                [] { return std::make_unique<config_zelmar::PanelLinkCheck>(); }};
}
