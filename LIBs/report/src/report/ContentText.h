#pragma once

#include <string>

// Small text helpers of the report's content builders.
namespace report::content_text {

std::u16string fromUtf8(const std::string& text);
std::u16string number(long long value);
// A name as the reader sees it on the display (Latin look-alikes of Russian words read back as Cyrillic).
std::u16string readable(const std::u16string& name);
std::u16string yesNo(bool value);

} // namespace report::content_text
