#pragma once

namespace config_zelmar {

// Program title and version (UTF-8), shown in the window title and in the comment of every saved file.
constexpr const char* programTitle = "Конфигуратор «Зелмар»";
constexpr const char* programVersion = "2.7.6.1107";

} // namespace config_zelmar
