#pragma once

#include "config_zelmar/PanelBackup.h"
#include "config_zelmar/PanelChecksums.h"
#include "config_zelmar/PanelImageCodec.h"
#include "config_zelmar/WallClock.h"

#include <optional>
#include <string>
#include <vector>

namespace config_zelmar {

// What the configurator keeps about panels in a folder of the user's: the images known to equal a
// panel with given checksums (so that a write needs no read of it, also after a restart or from
// another process), and the backups of what panels held before a write changed them. Every file is
// written atomically and named after its content, so two processes using the folder at once lose
// nothing; a damaged or foreign file is skipped with a log line.
class ImageStore
{
public:
    // Known images beyond this many are dropped, the least recently stored first.
    static constexpr std::size_t knownImagesKept = 64;

    explicit ImageStore(std::string folder, WallClockFunction clock = systemWallClock());

    const std::string& folder() const { return root; }

    std::optional<PanelImages> knownImages(const PanelChecksums& checksums) const;
    // Failures are logged, never thrown: the images are only a short cut.
    void rememberImages(const PanelChecksums& checksums, const PanelImages& images);

    // Newest first.
    std::vector<PanelBackup> backups() const;
    std::optional<PanelBackup> backup(const std::string& id) const;
    // Keeps the images as a backup taken now, unless they equal the newest backup's. Returns the new
    // backup's id, or empty when none was added. Throws std::runtime_error when it cannot be saved.
    std::string addBackup(const PanelImages& images);
    // False when there is no such backup or it cannot be removed.
    bool removeBackup(const std::string& id);

private:
    std::string imagesFolder() const;
    std::string backupsFolder() const;
    std::string knownImagesPath(const PanelChecksums& checksums) const;
    void dropOldKnownImages() const;
    PanelBackup describe(const PanelImages& images, int64_t notBefore) const;

    std::string root;
    WallClockFunction clock;
};

} // namespace config_zelmar
