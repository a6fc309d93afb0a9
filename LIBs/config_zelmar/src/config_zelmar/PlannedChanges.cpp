#include "config_zelmar/PlannedChanges.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/ConfigurationComparison.h"
#include "config_zelmar/MemoryMap.h"

#include <algorithm>

namespace config_zelmar {

namespace {

namespace opt = memory_map::options;

// The digits the password bytes hold, two per byte, up to the first nibble that is no digit.
std::string passwordDigits(const std::vector<uint8_t>& options)
{
    std::string digits;
    for (std::size_t i = 0; i < opt::passwordLength; ++i) {
        const uint8_t byte = options.at(opt::password + i);
        for (const unsigned nibble : {unsigned(byte >> 4), unsigned(byte & 0x0F)}) {
            if (nibble > 9) {
                return digits;
            }
            digits.push_back(static_cast<char>('0' + nibble));
        }
    }
    return digits;
}

bool passwordChanges(const PanelImages& before, const PanelImages& after)
{
    const auto first = before.options.begin() + opt::password;
    return !std::equal(first, first + opt::passwordLength, after.options.begin() + opt::password);
}

} // namespace

std::vector<Difference> plannedChanges(const PanelImages& panelContent, const Configuration& configuration)
{
    const PanelImages written = encodeImages(configuration, panelContent);
    Configuration before;
    Configuration after;
    decodeImages(panelContent, before);
    decodeImages(written, after);
    if (passwordChanges(panelContent, written)) {
        before.hasPassword = after.hasPassword = true;
        before.password = passwordDigits(panelContent.options);
        after.password = passwordDigits(written.options);
    }
    return compareConfigurations(before, after);
}

} // namespace config_zelmar
