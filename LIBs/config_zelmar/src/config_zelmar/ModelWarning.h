#pragma once

#include <string>

namespace config_zelmar {

// A warning line on the model's trace category ("zelmar.model"), for code that stays free of Qt.
void modelWarning(const std::string& line);

} // namespace config_zelmar
