#include "config_zelmar/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace config_zelmar {

namespace {

[[noreturn]] void fail(const std::string& path, int error)
{
    throw std::runtime_error(path + ": " + std::strerror(error));
}

bool writeAll(int descriptor, const std::vector<uint8_t>& content)
{
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t written = ::write(descriptor, content.data() + done, content.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// A name no other process or thread uses at the same moment.
std::string temporaryTemplate(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return folder + "." + name + ".XXXXXX";
}

} // namespace

void AtomicFile::write(const std::string& path, const std::vector<uint8_t>& content)
{
    std::string temporary = temporaryTemplate(path);
    const int descriptor = mkstemp(temporary.data());
    if (descriptor < 0) {
        fail(path, errno);
    }
    const bool written = writeAll(descriptor, content) && fsync(descriptor) == 0;
    const int writeError = errno;
    const bool closed = ::close(descriptor) == 0;
    if (!written || !closed) {
        unlink(temporary.c_str());
        fail(path, written ? errno : writeError);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int renameError = errno;
        unlink(temporary.c_str());
        fail(path, renameError);
    }
}

std::optional<std::vector<uint8_t>> AtomicFile::read(const std::string& path, std::size_t maxSize)
{
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (descriptor < 0) {
        return std::nullopt;
    }
    struct stat status
    {
    };
    std::optional<std::vector<uint8_t>> content;
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
        static_cast<std::size_t>(status.st_size) <= maxSize) {
        std::vector<uint8_t> bytes(maxSize + 1);
        std::size_t done = 0;
        ssize_t got = 0;
        do {
            got = ::read(descriptor, bytes.data() + done, bytes.size() - done);
            done += got > 0 ? static_cast<std::size_t>(got) : 0;
        } while (got > 0 || (got < 0 && errno == EINTR));
        if (got == 0 && done <= maxSize) {
            bytes.resize(done);
            content = std::move(bytes);
        }
    }
    ::close(descriptor);
    return content;
}

} // namespace config_zelmar
