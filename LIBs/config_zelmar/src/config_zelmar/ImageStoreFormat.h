#pragma once

#include "config_zelmar/PanelBackup.h"
#include "config_zelmar/PanelChecksums.h"
#include "config_zelmar/PanelImageCodec.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace config_zelmar {

// The bytes of the image store's files. Each starts with a magic of its kind and the format version and
// ends with the CRC-32 of everything before it; numbers are little-endian, texts UTF-8 with a 16-bit
// length. A file that is cut short, damaged, of another kind or of another version does not decode.
class ImageStoreFormat
{
public:
    // The largest file of the store.
    static constexpr std::size_t maxFileSize = 1 << 20;

    // Images known to equal a panel whose checksums were these.
    static std::vector<uint8_t> encodeKnownImages(const PanelChecksums& checksums, const PanelImages& images);
    static std::optional<PanelImages> decodeKnownImages(const std::vector<uint8_t>& bytes,
                                                        const PanelChecksums& checksums);

    // A backup; its id and size are not stored (the file's name and size give them).
    static std::vector<uint8_t> encodeBackup(const PanelBackup& backup);
    static std::optional<PanelBackup> decodeBackup(const std::vector<uint8_t>& bytes);
};

} // namespace config_zelmar
