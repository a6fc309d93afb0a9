#include "OutputFiles.h"

#include "CliError.h"
#include "ExitStatus.h"
#include "SystemPaths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <set>

namespace zelmar_cli {

namespace {

// Room for the temporary file's prefix and suffix within the longest file name of the system.
constexpr std::size_t maxNameInTemporary = 200;
constexpr std::size_t copyChunk = 64 * 1024;

[[noreturn]] void fail(const std::string& path, const std::string& reason)
{
    throw CliError(FileError, path + ": " + reason);
}

std::string systemError()
{
    return std::strerror(errno);
}

unsigned newFilePermissions()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666U & ~static_cast<unsigned>(mask);
}

bool writeAll(int descriptor, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(descriptor, data, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool copyContent(int from, int to)
{
    std::vector<char> buffer(copyChunk);
    for (;;) {
        const ssize_t count = ::read(from, buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return count == 0 && fsync(to) == 0;
        }
        if (!writeAll(to, buffer.data(), static_cast<std::size_t>(count))) {
            return false;
        }
    }
}

// For file systems without hard links (FAT on a memory stick).
bool copyFile(const std::string& from, const std::string& to, unsigned permissions)
{
    const int source = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0) {
        return false;
    }
    const int copy = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, permissions);
    const bool copied = copy >= 0 && copyContent(source, copy);
    ::close(source);
    if (copy >= 0 && (::close(copy) != 0 || !copied)) {
        ::unlink(to.c_str());
        return false;
    }
    return copied;
}

// So that the renames survive a power failure, not only the files' content.
void syncDirectory(const std::string& directory)
{
    const int descriptor = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        fsync(descriptor);
        ::close(descriptor);
    }
}

} // namespace

OutputFiles::OutputFiles(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        outputs.push_back(Output{path, {}, {}, {}, -1, false, 0});
        inspect(outputs.back());
    }
    try {
        for (Output& output : outputs) {
            create(output);
        }
    } catch (...) {
        discard();
        throw;
    }
}

OutputFiles::~OutputFiles()
{
    discard();
}

void OutputFiles::discard() noexcept
{
    for (Output& output : outputs) {
        if (output.descriptor >= 0) {
            ::close(output.descriptor);
            output.descriptor = -1;
        }
        if (!output.temporary.empty()) {
            ::unlink(output.temporary.c_str());
            output.temporary.clear();
        }
    }
}

void OutputFiles::inspect(Output& output)
{
    output.target = SystemPaths::followLinks(output.path);
    struct stat status
    {
    };
    if (stat(output.target.c_str(), &status) != 0) {
        if (errno != ENOENT) {
            fail(output.path, systemError());
        }
        return;
    }
    if (S_ISDIR(status.st_mode)) {
        fail(output.path, "is a folder, not a file");
    }
    if (!S_ISREG(status.st_mode)) {
        fail(output.path, "is not a regular file (a device, FIFO or socket); left as it is");
    }
    // A file the user may not write stays as it is, although a rename over it would succeed.
    if (::access(output.target.c_str(), W_OK) != 0) {
        fail(output.path, systemError());
    }
    output.existed = true;
    output.permissions = status.st_mode & 07777;
}

void OutputFiles::create(Output& output)
{
    const std::string name = SystemPaths::directoryOf(output.target) + "/." +
                             SystemPaths::fileNameOf(output.target).substr(0, maxNameInTemporary) + ".XXXXXX";
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    output.descriptor = mkostemp(buffer.data(), O_CLOEXEC);
    if (output.descriptor < 0) {
        fail(output.path, systemError());
    }
    output.temporary = buffer.data();
    if (fchmod(output.descriptor, output.existed ? output.permissions : newFilePermissions()) != 0) {
        fail(output.path, systemError());
    }
}

void OutputFiles::write(std::size_t index, const QByteArray& content)
{
    Output& output = outputs.at(index);
    if (!writeAll(output.descriptor, content.constData(), static_cast<std::size_t>(content.size()))) {
        fail(output.path, systemError());
    }
}

void OutputFiles::commit()
{
    for (Output& output : outputs) {
        finish(output);
    }
    // Every output but the last keeps its previous content under a second name until the last is in
    // place: a failed rename can then put everything back.
    for (std::size_t i = 0; i + 1 < outputs.size(); ++i) {
        try {
            keepPrevious(outputs[i]);
        } catch (...) {
            removeBackups();
            throw;
        }
    }
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (std::rename(outputs[i].temporary.c_str(), outputs[i].target.c_str()) != 0) {
            failAfterReplacing(i, systemError());
        }
        outputs[i].temporary.clear();
    }
    removeBackups();
    std::set<std::string> directories;
    for (const Output& output : outputs) {
        directories.insert(SystemPaths::directoryOf(output.target));
    }
    for (const std::string& directory : directories) {
        syncDirectory(directory);
    }
}

void OutputFiles::finish(Output& output)
{
    const bool synced = fsync(output.descriptor) == 0;
    const int syncError = errno;
    const bool closed = ::close(output.descriptor) == 0;
    output.descriptor = -1;
    if (!synced || !closed) {
        errno = synced ? errno : syncError;
        fail(output.path, systemError());
    }
}

void OutputFiles::keepPrevious(Output& output)
{
    if (!output.existed) {
        return;
    }
    const std::string backup = output.temporary + ".previous";
    if (::link(output.target.c_str(), backup.c_str()) != 0 &&
        !copyFile(output.target, backup, output.permissions)) {
        fail(output.path, "cannot keep the previous content while writing: " + systemError());
    }
    output.backup = backup;
}

std::string OutputFiles::putBack(Output& output)
{
    if (!output.existed) {
        return ::unlink(output.target.c_str()) == 0 ? std::string() : output.path + " could not be removed";
    }
    if (std::rename(output.backup.c_str(), output.target.c_str()) != 0) {
        return output.path + " could not be put back; its previous content is in " + output.backup;
    }
    output.backup.clear();
    return std::string();
}

void OutputFiles::failAfterReplacing(std::size_t failed, const std::string& reason)
{
    std::string message = outputs[failed].path + ": " + reason;
    bool allPutBack = true;
    for (std::size_t i = failed; i-- > 0;) {
        const std::string problem = putBack(outputs[i]);
        if (!problem.empty()) {
            message += "; " + problem;
            allPutBack = false;
        }
    }
    if (failed > 0 && allPutBack) {
        message += "; no file was replaced";
    }
    for (std::size_t i = failed; i < outputs.size(); ++i) {
        removeBackup(outputs[i]);
    }
    throw CliError(FileError, message);
}

void OutputFiles::removeBackup(Output& output)
{
    if (!output.backup.empty()) {
        ::unlink(output.backup.c_str());
        output.backup.clear();
    }
}

void OutputFiles::removeBackups()
{
    for (Output& output : outputs) {
        removeBackup(output);
    }
}

} // namespace zelmar_cli
