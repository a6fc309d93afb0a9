// What a write would change is the panel's content decoded against the images after the write decoded:
// nothing for the configuration the panel holds, the password when its bytes change, and what the panel
// would not hold counted as gone.
#include "support/TransferTestBench.h"

#include "config_zelmar/PlannedChanges.h"

#include <gtest/gtest.h>

#include <functional>

using namespace config_zelmar;

TEST(PlannedChanges, ListWhatTheWriteChangesInThePanel)
{
    const Configuration held = transfer_test::maximalSectionConfiguration();
    PanelImages content = encodeImages(held, blankPanelImages());
    content.options[0x04] = 0xB2;
    struct Case
    {
        const char* name;
        std::function<void(Configuration&)> edit;
        std::vector<std::string> paths; // the JSON form of each difference's path
    };
    const std::vector<Case> cases{
        {"unchanged", [](Configuration&) {}, {}},
        {"menu time", [](Configuration& c) { c.menuTime = 7; }, {R"(["options", "menuTime"])"}},
        {"a password",
         [](Configuration& c) {
             c.hasPassword = true;
             c.password = "2468";
         },
         {R"(["options", "password"])"}},
        {"a device name",
         [](Configuration& c) { c.sections.at(0).devices.at(5).names->deviceName = u"Склад"; },
         {R"(["sections", 0, "devices", 5, "names", "deviceName"])"}},
        {"a device of zone 0 is not written",
         [](Configuration& c) { c.sections.at(0).devices.at(9).zone = 0; },
         {R"(["sections", 0, "devices", 9])"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Configuration edited = held;
        c.edit(edited);
        std::vector<std::string> paths;
        for (const Difference& difference : plannedChanges(content, edited)) {
            paths.push_back(pathToJson(difference.path));
        }
        EXPECT_EQ(paths, c.paths);
    }
    Configuration withPassword = held;
    withPassword.hasPassword = true;
    withPassword.password = "2468";
    const std::vector<Difference> password = plannedChanges(content, withPassword);
    ASSERT_EQ(password.size(), 1U);
    EXPECT_EQ(password.front().newValue, Value::of(std::string("2468")));
    EXPECT_EQ(password.front().oldValue, Value::of(std::string())) << "an erased panel holds no digit";
}
