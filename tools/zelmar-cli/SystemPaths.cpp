#include "SystemPaths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace zelmar_cli {

namespace {

constexpr int maxLinkDepth = 40; // as the kernel allows

bool sameInode(const std::string& first, const std::string& second)
{
    struct stat a
    {
    };
    struct stat b
    {
    };
    return stat(first.c_str(), &a) == 0 && stat(second.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

bool exists(const std::string& path)
{
    struct stat status
    {
    };
    return stat(path.c_str(), &status) == 0;
}

} // namespace

std::string SystemPaths::directoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string SystemPaths::fileNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string SystemPaths::followLinks(const std::string& path)
{
    std::string current = path;
    for (int depth = 0; depth < maxLinkDepth; ++depth) {
        struct stat status
        {
        };
        if (lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            break;
        }
        std::vector<char> buffer(static_cast<std::size_t>(status.st_size) + 1);
        const ssize_t length = readlink(current.c_str(), buffer.data(), buffer.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
            break;
        }
        const std::string target(buffer.data(), static_cast<std::size_t>(length));
        current = target.front() == '/' ? target : directoryOf(current) + "/" + target;
    }
    return current;
}

bool SystemPaths::sameFile(const std::string& first, const std::string& second)
{
    const std::string a = followLinks(first);
    const std::string b = followLinks(second);
    if (exists(a) || exists(b)) {
        return sameInode(a, b);
    }
    const std::string folderA = directoryOf(a);
    const std::string folderB = directoryOf(b);
    return fileNameOf(a) == fileNameOf(b) && (folderA == folderB || sameInode(folderA, folderB));
}

} // namespace zelmar_cli
