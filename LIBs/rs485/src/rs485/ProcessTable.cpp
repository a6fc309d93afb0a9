#include "rs485/ProcessTable.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace rs485 {

namespace fs = std::filesystem;

namespace {

// The same file, or for devices the same device whatever node was opened.
bool sameFile(const struct stat& a, const struct stat& b)
{
    if (S_ISCHR(a.st_mode) || S_ISBLK(a.st_mode)) {
        return (a.st_mode & S_IFMT) == (b.st_mode & S_IFMT) && a.st_rdev == b.st_rdev;
    }
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

int pidOf(const fs::path& folder)
{
    const std::string name = folder.filename().string();
    if (name.empty() || !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return 0;
    }
    return std::atoi(name.c_str());
}

bool holdsOpen(const fs::path& descriptors, const struct stat& target)
{
    std::error_code error;
    fs::directory_iterator iterator(descriptors, error);
    for (; !error && iterator != fs::directory_iterator(); iterator.increment(error)) {
        struct stat opened
        {
        };
        // stat() follows the descriptor's link to the open file itself.
        if (stat(iterator->path().c_str(), &opened) == 0 && sameFile(opened, target)) {
            return true;
        }
    }
    return false;
}

} // namespace

ProcessTable::ProcessTable(fs::path procRoot) : root(std::move(procRoot)) {}

std::vector<ProcessEntry> ProcessTable::holdersOf(const std::string& path) const
{
    std::vector<ProcessEntry> holders;
    struct stat target
    {
    };
    if (stat(path.c_str(), &target) != 0) {
        return holders;
    }
    for (ProcessEntry& process : processes()) {
        if (process.pid != getpid() && holdsOpen(root / std::to_string(process.pid) / "fd", target)) {
            holders.push_back(std::move(process));
        }
    }
    return holders;
}

bool ProcessTable::isRunning(const std::string& name) const
{
    const std::vector<ProcessEntry> all = processes();
    return std::any_of(all.begin(), all.end(),
                       [&](const ProcessEntry& process) { return process.name == name; });
}

std::vector<ProcessEntry> ProcessTable::processes() const
{
    std::vector<ProcessEntry> found;
    std::error_code error;
    fs::directory_iterator iterator(root, error);
    for (; !error && iterator != fs::directory_iterator(); iterator.increment(error)) {
        const int pid = pidOf(iterator->path());
        if (pid > 0) {
            found.push_back(ProcessEntry{pid, commandName(pid)});
        }
    }
    std::sort(found.begin(), found.end(),
              [](const ProcessEntry& a, const ProcessEntry& b) { return a.pid < b.pid; });
    return found;
}

std::string ProcessTable::commandName(int pid) const
{
    std::ifstream stream(root / std::to_string(pid) / "comm");
    std::string name;
    std::getline(stream, name);
    return name;
}

} // namespace rs485
