#!/usr/bin/env python3
"""Makes the manual page of zelmar-cli from the tool's own help texts.

The commands are those that "zelmar-cli --help" lists under "Commands:"; each gets a section with the
text of "zelmar-cli COMMAND --help". A command added to the tool thus appears here without more ado.

Usage: tools/make_manpage.py ZELMAR_CLI VERSION OUTPUT   (OUTPUT ending in .gz is compressed)
"""
import gzip
import re
import subprocess
import sys


def help_text(cli, *arguments):
    return subprocess.run([cli, *arguments, "--help"], check=True, capture_output=True, text=True).stdout


def escaped(line):
    """A line with the characters roff would take as its own escaped."""
    line = line.replace("\\", "\\e").replace("-", "\\-")
    return "\\&" + line if line.startswith((".", "'")) else line


def roff(text):
    """Text set as it is, line by line."""
    return ".nf\n" + "\n".join(escaped(line) for line in text.rstrip("\n").split("\n")) + "\n.fi\n"


def parse_tool_help(text):
    """(synopsis, summary, command lines, closing paragraphs) of the tool's help."""
    paragraphs = text.strip("\n").split("\n\n")
    synopsis = paragraphs[0].removeprefix("Usage: ")
    summary = paragraphs[1]
    command_block = next(p for p in paragraphs if p.startswith("Commands:"))
    commands = [re.match(r"\s+(\S+)\s+(.*)", line).groups() for line in command_block.split("\n")[1:]]
    rest = paragraphs[paragraphs.index(command_block) + 1:]
    return synopsis, summary, commands, rest


def manual_page(cli, version):
    synopsis, summary, commands, rest = parse_tool_help(help_text(cli))
    if not commands:
        raise SystemExit("make_manpage: no commands under \"Commands:\" in zelmar-cli --help")
    page = ['.TH ZELMAR\\-CLI 1 "" "zelmar-cli %s" "User Commands"' % version,
            ".SH NAME", "zelmar\\-cli \\- " + escaped(summary[0].lower() + summary[1:].rstrip(".")),
            ".SH SYNOPSIS", roff(synopsis).rstrip("\n"),
            ".SH DESCRIPTION", roff(summary).rstrip("\n"),
            ".SH COMMANDS"]
    for name, line in commands:
        usage = help_text(cli, name)
        if not usage.startswith("Usage: zelmar-cli " + name):
            raise SystemExit("make_manpage: zelmar-cli %s --help gives no usage" % name)
        page += [".SS " + escaped(name), escaped(line), ".PP", roff(usage).rstrip("\n")]
    page += [".SH NOTES"] + [roff(paragraph).rstrip("\n") + "\n.PP" for paragraph in rest]
    return "\n".join(page) + "\n"


def main():
    cli, version, output = sys.argv[1:4]
    content = manual_page(cli, version).encode()
    if output.endswith(".gz"):
        # No name and no time stamp in the header: the same help gives the same bytes.
        with open(output, "wb") as raw, gzip.GzipFile(filename="", mode="wb", fileobj=raw, compresslevel=9,
                                                      mtime=0) as file:
            file.write(content)
    else:
        with open(output, "wb") as file:
            file.write(content)


if __name__ == "__main__":
    main()
