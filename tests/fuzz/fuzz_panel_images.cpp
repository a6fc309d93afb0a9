// Decodes panel memory images built from arbitrary bytes, then encodes the result back over the same
// images. The first byte chooses the layout: odd, the rest of the input is repeated over the option page
// and then the configuration range; even, it is laid over them once and the remainder stays erased.

#include "config_zelmar/Configuration.h"
#include "config_zelmar/PanelImageCodec.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

constexpr std::size_t optionImageSize = 0x100;
constexpr std::size_t configurationImageSize = 0xBE00;

// The image from the given offset of the input, repeated or padded with the erased value 0xFF.
std::vector<uint8_t> imageOf(const uint8_t* data, std::size_t size, bool repeat, std::size_t offset,
                             std::size_t length)
{
    std::vector<uint8_t> image(length, 0xFF);
    for (std::size_t index = 0; index < length && size > 0; ++index) {
        const std::size_t source = offset + index;
        if (repeat) {
            image[index] = data[source % size];
        } else if (source < size) {
            image[index] = data[source];
        }
    }
    return image;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const bool repeat = (data[0] & 1U) != 0;
    config_zelmar::PanelImages images;
    images.options = imageOf(data + 1, size - 1, repeat, 0, optionImageSize);
    images.configuration = imageOf(data + 1, size - 1, repeat, optionImageSize, configurationImageSize);

    config_zelmar::Configuration configuration;
    config_zelmar::decodeImages(images, configuration);
    const config_zelmar::PanelImages encoded = config_zelmar::encodeImages(configuration, images);
    if (encoded.options.size() != optionImageSize || encoded.configuration.size() != configurationImageSize) {
        __builtin_trap();
    }
    return 0;
}
