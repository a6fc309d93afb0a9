#include "config_zelmar/ImageStore.h"

#include "config_zelmar/AtomicFile.h"
#include "config_zelmar/Configuration.h"
#include "config_zelmar/ConfigurationSummary.h"
#include "config_zelmar/ImageFields.h"
#include "config_zelmar/ImageStoreFormat.h"
#include "config_zelmar/ModelWarning.h"
#include "config_zelmar/PanelTexts.h"

#include "boot_loader/Crc32.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace config_zelmar {

namespace fs = std::filesystem;

namespace {

constexpr const char* knownImagesSuffix = ".img";
constexpr const char* backupSuffix = ".bak";

// Only the folder's owner may read what panels hold (their password bytes among it).
void makeFolder(const std::string& folder)
{
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder, error)) {
        throw std::runtime_error(folder + ": " + (error ? error.message() : "not a folder"));
    }
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, error);
}

// Ids are made by this store: digits, letters and dashes. Anything else (a path, "..") names no backup.
bool plausibleId(const std::string& id)
{
    return !id.empty() && id.size() <= 64 && std::all_of(id.begin(), id.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-';
    });
}

std::string hex8(uint32_t value)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}

uint32_t imagesCrc(const PanelImages& images)
{
    std::vector<uint8_t> bytes = images.options;
    bytes.insert(bytes.end(), images.configuration.begin(), images.configuration.end());
    return boot_loader::Crc32::of(bytes.data(), bytes.size());
}

// "20250301-142530-042-1a2b3c4d": the time in UTC to the millisecond, so that ids sort by time, and the
// content's CRC.
std::string backupId(int64_t time, const PanelImages& images)
{
    const auto seconds = static_cast<std::time_t>(time / 1000);
    std::tm utc{};
    char stamp[32] = "00000000-000000";
    if (gmtime_r(&seconds, &utc)) {
        std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    }
    char milliseconds[8];
    std::snprintf(milliseconds, sizeof milliseconds, "-%03d", static_cast<int>(time % 1000));
    return std::string(stamp) + milliseconds + "-" + hex8(imagesCrc(images));
}

std::optional<PanelBackup> loadBackup(const fs::path& path)
{
    const std::optional<std::vector<uint8_t>> bytes =
        AtomicFile::read(path.string(), ImageStoreFormat::maxFileSize);
    std::optional<PanelBackup> backup = bytes ? ImageStoreFormat::decodeBackup(*bytes) : std::nullopt;
    if (!backup) {
        modelWarning("Image store: skipped the damaged or foreign file " + path.string());
        return std::nullopt;
    }
    backup->id = path.stem().string();
    backup->size = bytes->size();
    return backup;
}

} // namespace

ImageStore::ImageStore(std::string folder, WallClockFunction clock)
    : root(std::move(folder)), clock(std::move(clock))
{}

std::string ImageStore::imagesFolder() const
{
    return root + "/images";
}

std::string ImageStore::backupsFolder() const
{
    return root + "/backups";
}

std::string ImageStore::knownImagesPath(const PanelChecksums& checksums) const
{
    return imagesFolder() + "/" + hex8(checksums.options) + "-" + hex8(checksums.configuration) +
           knownImagesSuffix;
}

std::optional<PanelImages> ImageStore::knownImages(const PanelChecksums& checksums) const
{
    const std::string path = knownImagesPath(checksums);
    std::error_code error;
    if (!fs::exists(path, error)) {
        return std::nullopt;
    }
    const std::optional<std::vector<uint8_t>> bytes = AtomicFile::read(path, ImageStoreFormat::maxFileSize);
    std::optional<PanelImages> images =
        bytes ? ImageStoreFormat::decodeKnownImages(*bytes, checksums) : std::nullopt;
    if (!images) {
        modelWarning("Image store: skipped the damaged or foreign file " + path);
    }
    return images;
}

void ImageStore::rememberImages(const PanelChecksums& checksums, const PanelImages& images)
{
    try {
        makeFolder(root);
        makeFolder(imagesFolder());
        AtomicFile::write(knownImagesPath(checksums), ImageStoreFormat::encodeKnownImages(checksums, images));
        dropOldKnownImages();
    } catch (const std::exception& error) {
        modelWarning(std::string("Image store: the panel's images were not kept: ") + error.what());
    }
}

void ImageStore::dropOldKnownImages() const
{
    std::error_code error;
    std::vector<std::pair<fs::file_time_type, fs::path>> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(imagesFolder(), error)) {
        if (entry.path().extension() == knownImagesSuffix) {
            files.emplace_back(entry.last_write_time(error), entry.path());
        }
    }
    if (files.size() <= knownImagesKept) {
        return;
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t i = knownImagesKept; i < files.size(); ++i) {
        fs::remove(files[i].second, error);
    }
}

std::vector<PanelBackup> ImageStore::backups() const
{
    std::vector<PanelBackup> found;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(backupsFolder(), error)) {
        if (entry.path().extension() != backupSuffix || !plausibleId(entry.path().stem().string())) {
            continue;
        }
        if (std::optional<PanelBackup> backup = loadBackup(entry.path())) {
            found.push_back(std::move(*backup));
        }
    }
    std::sort(found.begin(), found.end(), [](const PanelBackup& a, const PanelBackup& b) {
        return a.time != b.time ? a.time > b.time : a.id > b.id;
    });
    return found;
}

std::optional<PanelBackup> ImageStore::backup(const std::string& id) const
{
    if (!plausibleId(id)) {
        return std::nullopt;
    }
    const fs::path path = backupsFolder() + "/" + id + backupSuffix;
    std::error_code error;
    if (!fs::exists(path, error)) {
        return std::nullopt;
    }
    return loadBackup(path);
}

PanelBackup ImageStore::describe(const PanelImages& images, int64_t notBefore) const
{
    PanelBackup backup;
    backup.time = std::max(clock(), notBefore);
    backup.images = images;
    boot_loader::MemoryImage options = image_fields::makeOptionsImage();
    options.loadPanelCopy(images.options);
    backup.panelDate = panel_texts::lastWriteDate(options);
    backup.counter = panel_texts::writeCounter(options);
    backup.firmware = panel_texts::firmwareVersion(options);
    Configuration decoded;
    decodeImages(images, decoded);
    backup.summary = configurationSummary(decoded);
    backup.id = backupId(backup.time, images);
    return backup;
}

std::string ImageStore::addBackup(const PanelImages& images)
{
    const std::vector<PanelBackup> existing = backups();
    if (!existing.empty() && existing.front().images.options == images.options &&
        existing.front().images.configuration == images.configuration) {
        return {};
    }
    // Later than the newest, so that the newest stays first even when the clock has not moved on.
    const PanelBackup backup = describe(images, existing.empty() ? 0 : existing.front().time + 1);
    makeFolder(root);
    makeFolder(backupsFolder());
    AtomicFile::write(backupsFolder() + "/" + backup.id + backupSuffix,
                      ImageStoreFormat::encodeBackup(backup));
    return backup.id;
}

bool ImageStore::removeBackup(const std::string& id)
{
    if (!plausibleId(id)) {
        return false;
    }
    std::error_code error;
    return fs::remove(backupsFolder() + "/" + id + backupSuffix, error);
}

} // namespace config_zelmar
