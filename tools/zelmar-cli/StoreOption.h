#pragma once

#include "ArgumentParser.h"

#include <memory>

namespace config_zelmar {
class ImageStore;
}

namespace zelmar_cli {

// --data-dir DIR: the folder of the image store (known panel images and backups); the configurator's
// folder without it.
extern const ArgumentParser::Option dataDirOption;

// The store of --data-dir or of the default folder; null when there is no folder at all (no HOME).
std::shared_ptr<config_zelmar::ImageStore> imageStoreOf(const ArgumentParser& parser);

} // namespace zelmar_cli
