#pragma once

#include <QByteArray>

#include <cstddef>
#include <string>
#include <vector>

namespace zelmar_cli {

// The output files of one command, replaced together or not at all. Each is written to a temporary file
// beside its target (symbolic links followed); only when every one is written and synced are they
// renamed over their targets, and a rename that fails puts back the files already replaced. An existing
// target that is not a regular file (a folder, device, FIFO or socket) is refused before anything is
// created, and left as it is. Paths are the system's bytes, whatever their encoding. Every failure is a
// CliError with the file exit status.
class OutputFiles
{
public:
    explicit OutputFiles(const std::vector<std::string>& paths);
    // Removes the temporary files of a command that did not commit.
    ~OutputFiles();

    OutputFiles(const OutputFiles&) = delete;
    OutputFiles& operator=(const OutputFiles&) = delete;

    void write(std::size_t index, const QByteArray& content);
    void commit();

private:
    struct Output
    {
        std::string path;      // as given, for messages
        std::string target;    // the file replaced
        std::string temporary; // empty once renamed over the target
        std::string backup;    // the target's previous content, while later outputs are committed
        int descriptor = -1;
        bool existed = false;
        unsigned permissions = 0; // of the existing target, kept by its replacement
    };

    static void inspect(Output& output);
    static void create(Output& output);
    static void finish(Output& output);
    static void keepPrevious(Output& output);
    static void replace(Output& output);
    // Empty when the output is as it was before; otherwise what the user must know.
    static std::string putBack(Output& output);
    [[noreturn]] void failAfterReplacing(std::size_t failed, const std::string& reason);
    static void removeBackup(Output& output);
    void removeBackups();
    void discard() noexcept;

    std::vector<Output> outputs;
};

} // namespace zelmar_cli
