#pragma once

#include <string>

namespace transfer_test {

// A new empty folder under the system's temporary folder, removed with everything in it at the end.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();

    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return folder; }

private:
    std::string folder;
};

} // namespace transfer_test
