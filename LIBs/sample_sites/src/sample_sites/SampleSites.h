#pragma once

#include <config_zelmar/Configuration.h>
#include <config_zelmar/PanelDescription.h>

// Configurations for the screenshots, the benchmarks and the tests, made in one place so that they all
// show and measure the same sites.
namespace sample_sites {

// The event table "Склад" with an own fire text and loop 1 blocking raised to an emergency.
config_zelmar::EventTable storeTable();

// A device named in full, on address 17, zone 3, using table 1.
config_zelmar::Device namedDevice();

// A small site on a central console: named and default-named consoles (one with a duplicate console),
// renamed devices, the table "Склад", a few commands and a password.
config_zelmar::Configuration sampleSite();

// Every section console (24) with every device address (127) named: 3,048 devices, half of them on an
// own table.
config_zelmar::Configuration largeSite();

constexpr int largeSiteSections = config_zelmar::panel_description::consoleCount;
constexpr int largeSiteDevicesPerSection = config_zelmar::panel_description::deviceCount;

} // namespace sample_sites
