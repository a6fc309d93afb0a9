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
  check      check an XML configuration file and summarise it
  convert    open and save an XML file again in the configurator's form
  encode     encode an XML file into the panel's two memory images
  decode     decode the two memory images into an XML file
  emulate    run an emulated panel on a pseudo-terminal or a serial port

"zelmar-cli COMMAND --help" describes each command.

Exit status: 0 success; 1 usage error; 2 a file cannot be read, written or parsed; 3 the port cannot be
opened; 10 + the transfer error code (10 to 17) when a transfer with the panel fails.
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
        {"read", R"(Usage: zelmar-cli read --port PORT [--fast] [-o FILE]

Reads the configuration from the panel and saves it as the configurator does.

  --port PORT        the serial port of the converter
  --fast             raised speed (345600 baud) for the bulk of the transfer
  -o, --output FILE  the XML file to write (atomically); standard output without it

A progress bar is drawn on standard error when it is a terminal.
)"},
        {"write", R"(Usage: zelmar-cli write --port PORT [--fast] FILE

Opens the XML file as the configurator does and writes the configuration into the panel (in full: all
configuration pages are written). A file the configurator would report as damaged is refused.

  --port PORT   the serial port of the converter
  --fast        raised speed (345600 baud) for the bulk of the transfer

A progress bar is drawn on standard error when it is a terminal.
)"},
        {"check", R"(Usage: zelmar-cli check FILE

Opens the XML file as the configurator does. On a reader error prints the error on standard error and
exits with status 2; otherwise prints a one-line summary: console type, sections, devices, named devices,
event tables, commands.
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
