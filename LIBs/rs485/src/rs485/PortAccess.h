#pragma once

#include <string>

namespace rs485 {

// Whether this user may open a device file, and why: its owner, group and mode, and whether the user
// belongs to the group.
struct PortAccess
{
    bool exists = false;
    bool characterDevice = false;
    bool mayOpen = false; // for reading and writing, access control lists included
    std::string owner;
    std::string group;
    std::string mode; // as ls shows it: "crw-rw----"
    bool userInGroup = false;

    static PortAccess of(const std::string& path);
    // The login name of the user running the program; empty when the system does not know it.
    static std::string userName();
};

} // namespace rs485
