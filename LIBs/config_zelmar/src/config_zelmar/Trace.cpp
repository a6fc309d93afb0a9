#include "config_zelmar/Trace.h"

#include "config_zelmar/ModelWarning.h"

namespace config_zelmar {

Q_LOGGING_CATEGORY(lcModel, "zelmar.model", QtInfoMsg)

void modelWarning(const std::string& line)
{
    qCWarning(lcModel).noquote() << QString::fromStdString(line);
}

} // namespace config_zelmar
