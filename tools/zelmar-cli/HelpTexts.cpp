#include "HelpTexts.h"

#include "ExitStatus.h"

#include <cstdio>
#include <map>

namespace zelmar_cli {

namespace {

const char* const toolText = R"(Usage: zelmar-cli COMMAND [OPTIONS]

The Zelmar panel and its configuration file on the command line.

Commands:
  ports      list the serial ports; a USB-RS485 converter is marked "converter"
  info       identify the panel and show its option page
  read       read the configuration from the panel into an XML file
  write      write the configuration of an XML file into the panel
  check      summarise an XML file and list what the panel would not hold as written
  diff       list the differences between two XML configuration files
  convert    open and save an XML file again in the configurator's form
  encode     encode an XML file into the panel's two memory images
  decode     decode the two memory images into an XML file
  emulate    run an emulated panel on a pseudo-terminal or a serial port
  doctor     check the port, the converter and the panel, one finding per line
  backups    list, export or delete the backups of what panels held before a write
  restore    write a backup back into the panel
  report     make the commissioning report of an XML file (PDF, HTML) or its device list (CSV)

"zelmar-cli COMMAND --help" describes each command.

The image store (images known to equal a panel, so that a write needs no read of it, and the backups)
lives in $XDG_DATA_HOME/zelmar-configurator (~/.local/share/zelmar-configurator), the configurator's
folder; --data-dir DIR of read, write, backups and restore uses another.

Exit status: 0 success; 1 usage error (found before any file is touched); 2 a file cannot be read,
written or parsed; 3 the port cannot be opened; 4 diff found differences, check found an error, write
refused a file with an error or write --dry-run found changes; 10 + the transfer error code (10 to 19)
when a transfer with the panel fails, among them 18 when the panel holds other data than was written
and 19 when no backup could be kept; 130 when SIGINT or SIGTERM stopped a transfer.

Output files are replaced atomically, all the outputs of a command together or none; an existing output
that is not a regular file (a device, FIFO or socket) is refused and left as it is.
)";

const std::map<std::string, const char*>& commandTexts()
{
    static const std::map<std::string, const char*> texts{
        {"ports", R"(Usage: zelmar-cli ports

Lists every serial port, one per line, sorted. The port of a USB-RS485 converter (USB vendor id 0403)
is followed by a tab and the word "converter".
)"},
        {"info", R"(Usage: zelmar-cli info --port PORT

Identifies the panel at 19200 baud and reads its option page. Prints "key: value" lines:
loader-version, device-name, page-size, firmware-version, last-write-date, write-counter.

  --port PORT   the serial port of the converter, for example /dev/ttyUSB0
)"},
        {"read", R"(Usage: zelmar-cli read --port PORT [--fast] [--data-dir DIR] [-o FILE]

Reads the configuration from the panel and saves it as the configurator does. The panel's images are
kept in the image store, so that a later write to the unchanged panel needs no read.

  --port PORT        the serial port of the converter
  --fast             raised speed (345600 baud) for the bulk of the transfer
  --data-dir DIR     the image store's folder (default: the configurator's)
  -o, --output FILE  the XML file to write (atomically); standard output without it

A progress bar is drawn on standard error when it is a terminal.
)"},
        {"write", R"(Usage: zelmar-cli write --port PORT [--fast] [--full] [--no-verify] [--no-backup]
                        [--force] [--dry-run] [--data-dir DIR] FILE

Opens the XML file as the configurator does and writes the configuration into the panel. A file the
configurator would report as damaged is refused. The panel's content is known first: from the image
store when the panel's checksums match images kept there, read otherwise. The configuration is encoded
onto that content (every byte it does not set keeps the panel's value) and only the pages that differ
are written, then read back and compared. The panel's previous content is kept as a backup.

The file's problems (as check prints them) go to standard error; a file with an error is refused with
exit status 4 unless --force.

  --port PORT     the serial port of the converter
  --fast          raised speed (345600 baud) for the bulk of the transfer
  --full          write every page, not only those that differ
  --no-verify     do not read the written pages back
  --no-backup     keep no backup of the panel's previous content
  --force         write a file with errors all the same
  --dry-run       only tell what the write would change, as diff prints it (the panel's content against
                  what it would hold after the write, the password included), and write nothing; exit
                  status 0 when nothing would change, 4 otherwise
  --data-dir DIR  the image store's folder (default: the configurator's)

A progress bar is drawn on standard error when it is a terminal. Exit status 18: a written page read
back differs (the panel's memory cannot be trusted); 19: no backup could be kept, nothing was written.
)"},
        {"backups", R"(Usage: zelmar-cli backups [--json] [--data-dir DIR]
       zelmar-cli backups export ID [-o FILE] [--data-dir DIR]
       zelmar-cli backups delete ID [--data-dir DIR]

Every write keeps what the panel held before as a backup, until it is deleted.

Without a subcommand, lists the backups, newest first, one per line: id, time (ISO 8601), the panel's
last write date, its write counter, its firmware version and a summary of the configuration, separated
by tabs. --json prints an array of objects with the keys id, time, panelDate, counter, firmware, summary.

  export ID   writes the backup's configuration as XML (-o FILE, atomically; standard output without)
  delete ID   deletes the backup
)"},
        {"restore", R"(Usage: zelmar-cli restore ID --port PORT [--fast] [--no-verify] [--data-dir DIR]

Writes the backup's images back into the panel: every byte but the date and counter stamp, as a write
does (the panel's content known first, only the differing pages written, read back and compared, the
content it replaces kept as a backup).

  --port PORT     the serial port of the converter
  --fast          raised speed (345600 baud) for the bulk of the transfer
  --no-verify     do not read the written pages back
  --data-dir DIR  the image store's folder (default: the configurator's)
)"},
        {"check", R"(Usage: zelmar-cli check FILE [--json]

Opens the XML file as the configurator does. On a reader error prints the error on standard error and
exits with status 2. Otherwise prints a one-line summary (console type, sections, devices, named
devices, event tables, commands), then one line per problem that a write into the panel would have:
"ошибка: " for what would not be written, "предупреждение: " for what would be written differently or
for a command addressed to a console or device that the file does not have, followed by the message.

  --json   print one JSON object instead: {"summary": {"console": "central"|"section", "sections": n,
           "devices": n, "namedDevices": n, "eventTables": n, "commands": n}, "problems": [{"severity":
           "error"|"warning", "kind": "lost"|"changed"|"reference", "path": [...], "message": "..."}]}

Exit status: 0 when no problem is an error, 4 when at least one is, 2 on a reader error.
)"},
        {"diff", R"(Usage: zelmar-cli diff OLD NEW [--json]

Opens both XML files as the configurator does and prints one Russian line per difference between them:
options, section consoles, devices, event tables and commands. A section, device, table or command that
only one file has is one line.

  --json   print one JSON array instead, one object per difference: {"path": [...], "old": value,
           "new": value}. A path starts with "options", "sections", "eventTables" or "commands";
           addresses and positions are integers. Names and texts are strings, numbers integers, flags
           booleans, command data 16 upper-case hex digits; a whole added or removed entity has null on
           the missing side and an object of its fields on the other.

Exit status: 0 when the configurations are equal, 4 when they differ, 2 on a reader error.
)"},
        {"convert", R"(Usage: zelmar-cli convert FILE [-o OUT]

Opens the XML file and saves it again as the configurator would (its normalised form).

  -o, --output OUT   the file to write (atomically); standard output without it
)"},
        {"encode",
         R"(Usage: zelmar-cli encode FILE --options OPT --config CFG [--base-options BOPT] [--base-config BCFG]

Encodes the configuration of the XML file into the panel's memory images exactly as a write does,
without the date and counter stamp.

  --options OPT        output: the option page (256 bytes, memory 1, 0x00-0xFF)
  --config CFG         output: the configuration area (0xBE00 bytes, memory 0, 0x3E00-0xFBFF)
  --base-options BOPT  the option page to start from (default: all 0xFF)
  --base-config BCFG   the configuration area to start from (default: all 0xFF)
)"},
        {"decode", R"(Usage: zelmar-cli decode --options OPT --config CFG [-o FILE]

Decodes the two memory images as a read from the panel does and writes the configuration's XML.

  --options OPT      the option page (256 bytes)
  --config CFG       the configuration area (0xBE00 bytes)
  -o, --output FILE  the XML file to write (atomically); standard output without it
)"},
        {"report", R"(Usage: zelmar-cli report FILE -o OUT [--changes-only]

Opens the XML file as the configurator does and writes its commissioning report: first what "check"
finds, then the options in words, the section consoles, the devices with their names (default names in
italics), the event tables other than the default one and the commands. A file the configurator would
report as damaged is refused.

  -o, --output OUT   the file to write (atomically); its extension picks the format:
                       .pdf    A4 pages with DejaVu Sans embedded (no display needed)
                       .html   one HTML page
                       .csv    one row per device, UTF-8 with a byte order mark, ";" between fields
  --changes-only     leave out options at their defaults, devices with default names and default
                     event tables
)"},
        {"emulate", R"(Usage: zelmar-cli emulate (--pty | --port PORT) [--options OPT] [--config CFG]
                          [--save-options F] [--save-config F] [--fault SPEC]...

Runs an emulated panel (loader version 0x12, device "Z-ZL3", page size 256) until SIGINT or SIGTERM.

  --pty              serve on a new pseudo-terminal; its path is the first line of standard output
  --port PORT        serve on a serial port, for example a second converter wired to the first
  --options OPT      the option page to start from (256 bytes)
  --config CFG       the configuration area to start from (0xBE00 bytes)
                     Default: a valid empty panel: firmware code 0xB2 at 0x04, every other byte 0xFF.
  --save-options F   save the option page to F on exit and after every finished write
  --save-config F    save the configuration area to F likewise
  --fault SPEC       faults to play, may be repeated; SPEC is a list of items separated by commas:
                       silent:N        the next N commands get no answer
                       bad-crc:N       the next N answers carry a damaged CRC
                       status:S:N      the next N commands are answered with status S only (0xA1, ...)
                       truncate:N      the next N answers lose their last character
                       stuck           the loader swallows characters until 261 zero bytes arrive
                       drop-after:N    the link drops after N more answered commands
                       drop-at-page:P  the link drops when the P-th page read or write arrives
                       flash:N         the next N page writes are acknowledged but stored with one
                                       byte changed (a failing flash); flash:always for every write
                     Numbers are decimal or 0x-prefixed hexadecimal.

When the link drops, the pseudo-terminal (or the port) is closed and the emulator ends after saving.
)"},
        {"doctor", R"(Usage: zelmar-cli doctor [--port PORT]

Checks what stands between the configurator and the panel, one finding per line: "ok", "warning" or
"error", a tab, then what was checked and what was found (in Russian, with the remedy).

In order: the port exists; this user may open it (owner, group and mode); no other program has it
open; it opens at 19200 baud; the FTDI latency timer (a hint when it stays above 1 ms); ModemManager (a
hint when it runs); then the panel: identification at 19200 baud (loader version, device name, page
size), the time of one page read at 19200 and at 345600 baud, and the return to 19200 baud. The first
error ends the check.

  --port PORT   the serial port of the converter; without it the converter's port (USB vendor id 0403),
                or the only serial port there is

Exit status: 0 when nothing is an error (warnings included); 3 when the port cannot be used or opened;
10 + the transfer error code when the panel does not answer properly.
)"},
    };
    return texts;
}

} // namespace

const char* toolHelp()
{
    return toolText;
}

const char* commandHelp(const std::string& command)
{
    const auto found = commandTexts().find(command);
    return found == commandTexts().end() ? nullptr : found->second;
}

int printCommandHelp(const std::string& command)
{
    std::fputs(commandHelp(command), stdout);
    return Success;
}

} // namespace zelmar_cli
