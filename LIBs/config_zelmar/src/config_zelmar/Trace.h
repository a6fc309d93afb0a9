#pragma once

#include <QLoggingCategory>

namespace config_zelmar {

// Diagnostic trace of the model (">>> " entry, "<<< " exit, "=== " step). Off unless enabled by logging
// rules, e.g. QT_LOGGING_RULES="zelmar.model.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcModel)

} // namespace config_zelmar
