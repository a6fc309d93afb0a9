#include "GenerateCopyName.h"

namespace {

bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Adds one to a run of decimal digits as text, so that a number of any length is incremented without
// overflow; leading zeros are dropped like a number written anew.
std::u16string incrementDecimal(std::u16string digits)
{
    const auto firstSignificant = digits.find_first_not_of(u'0');
    digits.erase(0, firstSignificant == std::u16string::npos ? digits.size() : firstSignificant);
    if (digits.empty()) {
        return u"1";
    }
    for (auto position = digits.size(); position-- > 0;) {
        if (digits[position] != u'9') {
            ++digits[position];
            return digits;
        }
        digits[position] = u'0';
    }
    return u'1' + digits;
}

} // namespace

std::u16string GenerateCopyName(const std::u16string& name, unsigned maxLength)
{
    std::u16string base = name;
    std::u16string digits;
    while (!base.empty() && isAsciiDigit(base.back())) {
        digits.insert(digits.begin(), base.back());
        base.pop_back();
    }
    std::u16string suffix = digits.empty() ? std::u16string(u"2") : incrementDecimal(digits);
    if (maxLength != 0) {
        while (base.size() + suffix.size() > maxLength) {
            if (!base.empty()) {
                base.pop_back();
            } else {
                suffix.erase(0, 1);
            }
        }
    }
    return base + suffix;
}
