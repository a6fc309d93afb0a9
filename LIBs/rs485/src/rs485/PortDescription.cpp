#include "rs485/PortDescription.h"

namespace rs485 {

std::string PortDescription::summary() const
{
    std::string text = product;
    if (!serialNumber.empty()) {
        text += (text.empty() ? "(" : " (") + serialNumber + ")";
    }
    return text;
}

} // namespace rs485
