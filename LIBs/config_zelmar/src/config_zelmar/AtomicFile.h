#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace config_zelmar {

// Whole files that appear complete or not at all: written to a temporary file beside the target,
// flushed to the disk and renamed over it, so that a reader (another process too) never sees half a
// file and a failed write leaves the old file as it was.
class AtomicFile
{
public:
    // Throws std::runtime_error naming the file when it cannot be written.
    static void write(const std::string& path, const std::vector<uint8_t>& content);
    // The file's bytes; empty when it cannot be read, is not a regular file or is larger than maxSize.
    static std::optional<std::vector<uint8_t>> read(const std::string& path, std::size_t maxSize);
};

} // namespace config_zelmar
