#pragma once

namespace config_zelmar {

// How a write into the panel goes about it.
struct WriteOptions
{
    // Every page of both areas is written, not only those that differ from the panel.
    bool allPages = false;
    // Every page written is read back and compared; a page that differs is written once more.
    bool verify = true;
    // The panel's previous content is kept in the image store before the panel changes.
    bool backup = true;
};

} // namespace config_zelmar
