#pragma once

#include <string>

// Proposes the name of a copy: a trailing decimal number is incremented, or "2" is appended, and the
// result is cut to maxLength characters (0 = no limit), dropping letters of the base first.
std::u16string GenerateCopyName(const std::u16string& name, unsigned maxLength);
