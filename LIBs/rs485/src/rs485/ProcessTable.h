#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace rs485 {

struct ProcessEntry
{
    int pid = 0;
    std::string name; // the process's command name (/proc/PID/comm)
};

// The running processes as /proc shows them to this user: who holds a port open, and whether a program
// such as ModemManager runs. Processes whose folders cannot be read are left out; nothing here fails.
class ProcessTable
{
public:
    explicit ProcessTable(std::filesystem::path procRoot = "/proc");

    // The processes other than this one with an open descriptor on the file (for a device: on any node
    // of the same device), sorted by pid.
    std::vector<ProcessEntry> holdersOf(const std::string& path) const;
    bool isRunning(const std::string& name) const;

private:
    std::vector<ProcessEntry> processes() const;
    std::string commandName(int pid) const;

    std::filesystem::path root;
};

} // namespace rs485
