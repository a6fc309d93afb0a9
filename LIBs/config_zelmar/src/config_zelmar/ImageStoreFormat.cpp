#include "config_zelmar/ImageStoreFormat.h"

#include "boot_loader/Crc32.h"

#include <cstring>

namespace config_zelmar {

namespace {

constexpr char knownImagesMagic[] = "ZLMRIMG1";
constexpr char backupMagic[] = "ZLMRBAK1";
constexpr std::size_t magicLength = 8;
constexpr std::size_t optionsSize = 0x100;
constexpr std::size_t configurationSize = 0xBE00;

class ByteWriter
{
public:
    explicit ByteWriter(const char* magic) { bytes.assign(magic, magic + magicLength); }

    void number(uint64_t value, std::size_t width)
    {
        for (std::size_t i = 0; i < width; ++i) {
            bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
        }
    }
    void text(const std::string& value)
    {
        const std::size_t length = value.size() > 0xFFFF ? 0xFFFF : value.size();
        number(length, 2);
        bytes.insert(bytes.end(), value.begin(), value.begin() + static_cast<std::ptrdiff_t>(length));
    }
    void block(const std::vector<uint8_t>& value)
    {
        number(value.size(), 4);
        bytes.insert(bytes.end(), value.begin(), value.end());
    }
    std::vector<uint8_t> sealed()
    {
        number(boot_loader::Crc32::of(bytes.data(), bytes.size()), 4);
        return std::move(bytes);
    }

private:
    std::vector<uint8_t> bytes;
};

// Reads fields in order; once a field runs past the end every later read fails as well.
class ByteReader
{
public:
    ByteReader(const std::vector<uint8_t>& bytes, const char* magic) : bytes(bytes)
    {
        constexpr std::size_t crcLength = 4;
        valid = bytes.size() >= magicLength + crcLength &&
                std::memcmp(bytes.data(), magic, magicLength) == 0 &&
                boot_loader::Crc32::of(bytes.data(), bytes.size() - crcLength) ==
                    littleEndian(bytes.size() - crcLength, crcLength);
        end = valid ? bytes.size() - crcLength : 0;
        position = magicLength;
    }

    uint64_t number(std::size_t width)
    {
        if (!take(width)) {
            return 0;
        }
        return littleEndian(position - width, width);
    }
    std::string text()
    {
        const auto length = static_cast<std::size_t>(number(2));
        if (!take(length)) {
            return {};
        }
        return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(position - length),
                           bytes.begin() + static_cast<std::ptrdiff_t>(position));
    }
    std::vector<uint8_t> block(std::size_t expectedSize)
    {
        if (number(4) != expectedSize || !take(expectedSize)) {
            valid = false;
            return {};
        }
        const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(position - expectedSize);
        return std::vector<uint8_t>(first, first + static_cast<std::ptrdiff_t>(expectedSize));
    }
    // Every field was there and nothing follows them.
    bool complete() const { return valid && position == end; }

private:
    bool take(std::size_t count)
    {
        valid = valid && count <= end - position;
        position += valid ? count : 0;
        return valid;
    }
    uint64_t littleEndian(std::size_t at, std::size_t width) const
    {
        uint64_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            value |= static_cast<uint64_t>(bytes[at + i]) << (8 * i);
        }
        return value;
    }

    const std::vector<uint8_t>& bytes;
    std::size_t position = 0;
    std::size_t end = 0;
    bool valid = false;
};

PanelImages readImages(ByteReader& reader)
{
    PanelImages images;
    images.options = reader.block(optionsSize);
    images.configuration = reader.block(configurationSize);
    return images;
}

} // namespace

std::vector<uint8_t> ImageStoreFormat::encodeKnownImages(const PanelChecksums& checksums,
                                                         const PanelImages& images)
{
    ByteWriter writer(knownImagesMagic);
    writer.number(checksums.options, 4);
    writer.number(checksums.configuration, 4);
    writer.block(images.options);
    writer.block(images.configuration);
    return writer.sealed();
}

std::optional<PanelImages> ImageStoreFormat::decodeKnownImages(const std::vector<uint8_t>& bytes,
                                                               const PanelChecksums& checksums)
{
    ByteReader reader(bytes, knownImagesMagic);
    PanelChecksums stored;
    stored.options = static_cast<uint32_t>(reader.number(4));
    stored.configuration = static_cast<uint32_t>(reader.number(4));
    PanelImages images = readImages(reader);
    if (!reader.complete() || stored != checksums) {
        return std::nullopt;
    }
    return images;
}

std::vector<uint8_t> ImageStoreFormat::encodeBackup(const PanelBackup& backup)
{
    ByteWriter writer(backupMagic);
    writer.number(static_cast<uint64_t>(backup.time), 8);
    writer.text(backup.panelDate);
    writer.number(static_cast<uint64_t>(backup.counter), 2);
    writer.text(backup.firmware);
    writer.text(backup.summary);
    writer.block(backup.images.options);
    writer.block(backup.images.configuration);
    return writer.sealed();
}

std::optional<PanelBackup> ImageStoreFormat::decodeBackup(const std::vector<uint8_t>& bytes)
{
    ByteReader reader(bytes, backupMagic);
    PanelBackup backup;
    backup.time = static_cast<int64_t>(reader.number(8));
    backup.panelDate = reader.text();
    backup.counter = static_cast<int>(reader.number(2));
    backup.firmware = reader.text();
    backup.summary = reader.text();
    backup.images = readImages(reader);
    if (!reader.complete()) {
        return std::nullopt;
    }
    return backup;
}

} // namespace config_zelmar
