// The image store keeps images under the panel's checksums and backups in files that decode only when
// whole and of their kind, names backups so that no path can be smuggled in, lists them newest first,
// and works for two store objects (two processes) on one folder.
#include "support/ScratchFolder.h"

#include "config_zelmar/AtomicFile.h"
#include "config_zelmar/ImageStore.h"
#include "config_zelmar/ImageStoreFormat.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>

using namespace config_zelmar;
using transfer_test::ScratchFolder;

namespace {

PanelImages imagesFilledWith(uint8_t value)
{
    PanelImages images = blankPanelImages();
    std::fill(images.configuration.begin(), images.configuration.begin() + 0x600, value);
    images.options[0x04] = 0xB2;
    images.options[0x03] = value;
    return images;
}

WallClockFunction clockFrom(int64_t start)
{
    auto now = std::make_shared<int64_t>(start);
    return [now] { return *now += 1; };
}

} // namespace

TEST(ImageStoreFormat, OnlyWholeFilesOfTheirKindDecode)
{
    const PanelChecksums checksums{0x11223344, 0x55667788};
    const PanelImages images = imagesFilledWith(0x42);
    const std::vector<uint8_t> known = ImageStoreFormat::encodeKnownImages(checksums, images);
    PanelBackup backup;
    backup.time = 1740000000123;
    backup.panelDate = "07.12.2025";
    backup.counter = 9;
    backup.firmware = "2.1.3";
    backup.summary = "section console, 1 section";
    backup.images = images;
    const std::vector<uint8_t> backupBytes = ImageStoreFormat::encodeBackup(backup);

    const auto decodesKnown = [&](const std::vector<uint8_t>& bytes) {
        return ImageStoreFormat::decodeKnownImages(bytes, checksums).has_value();
    };
    const auto decodesBackup = [](const std::vector<uint8_t>& bytes) {
        return ImageStoreFormat::decodeBackup(bytes).has_value();
    };
    using Change = std::function<void(std::vector<uint8_t>&)>;
    struct Case
    {
        const char* name;
        Change change;
        bool decodes;
    };
    const std::vector<Case> cases{
        {"intact", [](std::vector<uint8_t>&) {}, true},
        {"cut short", [](std::vector<uint8_t>& b) { b.resize(b.size() / 2); }, false},
        {"one byte changed", [](std::vector<uint8_t>& b) { b[b.size() / 3] ^= 0x01; }, false},
        {"trailing byte", [](std::vector<uint8_t>& b) { b.push_back(0); }, false},
        {"empty", [](std::vector<uint8_t>& b) { b.clear(); }, false},
        {"other magic", [](std::vector<uint8_t>& b) { b[7] = '9'; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> knownCopy = known;
        std::vector<uint8_t> backupCopy = backupBytes;
        c.change(knownCopy);
        c.change(backupCopy);
        EXPECT_EQ(decodesKnown(knownCopy), c.decodes);
        EXPECT_EQ(decodesBackup(backupCopy), c.decodes);
    }
    EXPECT_FALSE(decodesBackup(known)) << "a file of the other kind";
    EXPECT_FALSE(decodesKnown(backupBytes));
    EXPECT_FALSE(ImageStoreFormat::decodeKnownImages(known, PanelChecksums{0x11223344, 0}))
        << "images of other checksums";

    const std::optional<PanelBackup> decoded = ImageStoreFormat::decodeBackup(backupBytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->time, backup.time);
    EXPECT_EQ(decoded->panelDate, backup.panelDate);
    EXPECT_EQ(decoded->counter, 9);
    EXPECT_EQ(decoded->firmware, backup.firmware);
    EXPECT_EQ(decoded->summary, backup.summary);
    EXPECT_EQ(decoded->images.configuration, images.configuration);
    EXPECT_EQ(ImageStoreFormat::decodeKnownImages(known, checksums)->options, images.options);
}

TEST(ImageStore, TwoStoresOnOneFolderShareImagesAndBackups)
{
    ScratchFolder folder;
    const std::string root = folder.path() + "/data/zelmar-configurator";
    ImageStore first(root, clockFrom(1740000000000));
    ImageStore second(root, clockFrom(1740000100000));
    const PanelChecksums checksums{1, 2};
    EXPECT_FALSE(first.knownImages(checksums)) << "nothing before the folder exists";
    EXPECT_TRUE(first.backups().empty());

    first.rememberImages(checksums, imagesFilledWith(1));
    ASSERT_TRUE(second.knownImages(checksums));
    EXPECT_EQ(second.knownImages(checksums)->configuration, imagesFilledWith(1).configuration);
    EXPECT_FALSE(second.knownImages(PanelChecksums{1, 3}));
    EXPECT_EQ(std::filesystem::status(root).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);

    const std::string a = first.addBackup(imagesFilledWith(1));
    const std::string b = second.addBackup(imagesFilledWith(2));
    EXPECT_EQ(first.addBackup(imagesFilledWith(2)), "") << "equal to the newest backup";
    const std::string c = first.addBackup(imagesFilledWith(1)); // equal to an older one only
    ASSERT_FALSE(a.empty());
    ASSERT_FALSE(c.empty());
    const std::vector<PanelBackup> listed = second.backups();
    ASSERT_EQ(listed.size(), 3U);
    // Newest first: c was added last, though its store's clock is behind the other's.
    EXPECT_EQ(listed[0].id, c);
    EXPECT_EQ(listed[1].id, b);
    EXPECT_EQ(listed[2].id, a);
    EXPECT_EQ(listed[2].time, 1740000000001);
    EXPECT_GT(listed[0].time, listed[1].time);
    EXPECT_EQ(listed[1].counter, 2);
    EXPECT_GT(listed[0].size, 0xBE00U);
    EXPECT_EQ(second.backup(a)->images.configuration, imagesFilledWith(1).configuration);

    EXPECT_TRUE(first.removeBackup(b));
    EXPECT_FALSE(first.removeBackup(b));
    EXPECT_EQ(second.backups().size(), 2U);
}

TEST(ImageStore, IdsThatAreNoBackupNameNothing)
{
    ScratchFolder folder;
    ImageStore store(folder.path());
    const std::string id = store.addBackup(imagesFilledWith(5));
    ASSERT_FALSE(id.empty());
    std::filesystem::create_directories(folder.path() + "/outside");
    AtomicFile::write(folder.path() + "/outside/x.bak", {1, 2, 3});
    for (const std::string& bad :
         {std::string(), std::string("../outside/x"), std::string("a/b"), std::string(".."),
          std::string("a b"), id + ".bak", std::string(100, 'a')}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(store.backup(bad));
        EXPECT_FALSE(store.removeBackup(bad));
    }
    EXPECT_TRUE(store.backup(id));
    EXPECT_TRUE(std::filesystem::exists(folder.path() + "/outside/x.bak"));
}

TEST(ImageStore, OnlyTheNewestKnownImagesAreKept)
{
    ScratchFolder folder;
    ImageStore store(folder.path());
    const std::size_t stored = ImageStore::knownImagesKept + 5;
    for (uint32_t i = 0; i < stored; ++i) {
        store.rememberImages(PanelChecksums{i, i}, imagesFilledWith(static_cast<uint8_t>(i)));
        // Distinct modification times in the past, oldest first, whatever the file system's resolution.
        char name[32];
        std::snprintf(name, sizeof name, "/images/%08x-%08x.img", i, i);
        std::filesystem::last_write_time(folder.path() + name, std::filesystem::file_time_type::clock::now() -
                                                                   std::chrono::hours(1000 - i));
    }
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path() + "/images")) {
        files += entry.path().extension() == ".img" ? 1 : 0;
    }
    EXPECT_EQ(files, ImageStore::knownImagesKept);
    EXPECT_TRUE(store.knownImages(PanelChecksums{stored - 1, stored - 1}));
}

TEST(ImageStore, AStoreThatCannotBeWrittenKeepsNoImagesAndRefusesBackups)
{
    ScratchFolder folder;
    const std::string blocked = folder.path() + "/file";
    AtomicFile::write(blocked, {0});
    ImageStore store(blocked + "/zelmar-configurator"); // below a plain file
    store.rememberImages(PanelChecksums{1, 1}, imagesFilledWith(1));
    EXPECT_FALSE(store.knownImages(PanelChecksums{1, 1}));
    EXPECT_THROW(store.addBackup(imagesFilledWith(1)), std::runtime_error);
    EXPECT_TRUE(store.backups().empty());
}
