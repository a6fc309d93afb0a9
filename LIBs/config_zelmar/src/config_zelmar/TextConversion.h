#pragma once

#include <string>
#include <string_view>

namespace config_zelmar {

// UTF-16 to UTF-8 without Qt; a lone surrogate becomes U+FFFD.
std::string toUtf8(std::u16string_view text);

} // namespace config_zelmar
