#include "StoreOption.h"

#include "config_zelmar/DataFolder.h"
#include "config_zelmar/ImageStore.h"

namespace zelmar_cli {

const ArgumentParser::Option dataDirOption{"--data-dir", "", true, false};

std::shared_ptr<config_zelmar::ImageStore> imageStoreOf(const ArgumentParser& parser)
{
    const std::string folder = parser.value("--data-dir", config_zelmar::defaultDataFolder());
    return folder.empty() ? nullptr : std::make_shared<config_zelmar::ImageStore>(folder);
}

} // namespace zelmar_cli
