#pragma once

namespace zelmar_cli {

// The tool's exit statuses; scripts rely on them.
enum ExitStatus : int
{
    Success = 0,
    UsageError = 1,
    FileError = 2,            // a file cannot be read, written or parsed
    PortError = 3,            // the port cannot be opened
    DifferentOrErroneous = 4, // diff: the configurations differ; check and write: a problem is an error;
                              // write --dry-run: the write would change the panel
    TransferErrorBase = 10,   // plus the code of the transfer error, 0 to 9
    Interrupted = 130         // SIGINT or SIGTERM stopped a transfer
};

} // namespace zelmar_cli
