#include "config_zelmar/Trace.h"

namespace config_zelmar {

Q_LOGGING_CATEGORY(lcModel, "zelmar.model", QtInfoMsg)

} // namespace config_zelmar
