#pragma once

#include <string>

namespace zelmar_cli {

// Path names as the system gives them: bytes, never decoded, so that a name that is not valid UTF-8
// still names its file.
class SystemPaths
{
public:
    // "." for a bare name.
    static std::string directoryOf(const std::string& path);
    static std::string fileNameOf(const std::string& path);
    // The path with symbolic links followed, also when the last one points at no file yet.
    static std::string followLinks(const std::string& path);
    // Both name one file: the same file when it exists, otherwise the same name in the same folder.
    static bool sameFile(const std::string& first, const std::string& second);
};

} // namespace zelmar_cli
