#include "config_zelmar/PanelImageCodec.h"

#include "config_zelmar/ConfigurationDecoder.h"
#include "config_zelmar/ConfigurationEncoder.h"
#include "config_zelmar/ImageFields.h"

#include <stdexcept>

namespace config_zelmar {

namespace {

struct LoadedImages
{
    boot_loader::MemoryImage options = image_fields::makeOptionsImage();
    boot_loader::MemoryImage configuration = image_fields::makeConfigurationImage();

    explicit LoadedImages(const PanelImages& images)
    {
        if (!options.loadPanelCopy(images.options)) {
            throw std::invalid_argument("The option image must hold exactly 256 bytes.");
        }
        if (!configuration.loadPanelCopy(images.configuration)) {
            throw std::invalid_argument("The configuration image must hold exactly 0xBE00 bytes.");
        }
    }
};

} // namespace

PanelImages blankPanelImages()
{
    return PanelImages{std::vector<uint8_t>(image_fields::makeOptionsImage().size(), 0xFF),
                       std::vector<uint8_t>(image_fields::makeConfigurationImage().size(), 0xFF)};
}

PanelImages encodeImages(const Configuration& configuration, const PanelImages& base)
{
    LoadedImages images(base);
    ConfigurationEncoder(images.options, images.configuration).encode(configuration);
    return PanelImages{images.options.bytes(), images.configuration.bytes()};
}

void decodeImages(const PanelImages& panelImages, Configuration& configuration)
{
    const LoadedImages images(panelImages);
    ConfigurationDecoder(images.options, images.configuration).replaceContent(configuration);
}

} // namespace config_zelmar
