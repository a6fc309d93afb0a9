#!/usr/bin/env python3
"""End-to-end tests of zelmar-cli: file commands, bad input, and transfers with the emulated panel served
on a pseudo-terminal by "zelmar-cli emulate --pty".

Usage: cli_test.py ZELMAR_CLI GROUP [SAMPLE_FILES_TOOL]
       (GROUP: files, errors, transfer_fast, transfer_normal, faults, doctor, safe_write, interrupt, report;
       report needs the zelmar-sample-files program that writes the sample site and the 3,048-device site)
"""
import csv
import datetime
import io
import json
import pty
import os
import re
import select
import shutil
import signal
import socket
import stat
import subprocess
import sys
import tempfile
import time
import zlib

CLI = None
SAMPLE_FILES = None
DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "data")
SECTION_XML = os.path.join(DATA, "section-console.xml")
CENTRAL_XML = os.path.join(DATA, "central-console.xml")
OPTION_SIZE = 0x100
CONFIG_SIZE = 0xBE00
failures = []


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def run(arguments, status=0, stdin=None, reporting=False):
    """reporting: a status that reports a finding with output (write --dry-run exits 4 on changes)."""
    result = subprocess.run([CLI] + arguments, input=stdin, capture_output=True, timeout=240)
    check(result.returncode == status,
          "zelmar-cli %s: exit %d, expected %d\nstderr: %s" %
          (" ".join(arguments), result.returncode, status, result.stderr.decode(errors="replace")))
    if status != 0 and not reporting:
        check(result.stdout == b"", "zelmar-cli %s: output on standard output despite failing" % arguments)
        check(result.stderr.strip() != b"", "zelmar-cli %s: failed without a message" % arguments)
    return result


def read_bytes(path):
    with open(path, "rb") as file:
        return file.read()


def write_bytes(path, content):
    with open(path, "wb") as file:
        file.write(content)


def empty_panel_options():
    options = bytearray(b"\xff" * OPTION_SIZE)
    options[0x04] = 0xB2
    return options


class Emulator:
    """zelmar-cli emulate --pty, always stopped on leaving the with block, whatever happened."""

    def __init__(self, folder, extra=()):
        self.save_options = os.path.join(folder, "saved-options.bin")
        self.save_config = os.path.join(folder, "saved-config.bin")
        self.arguments = ["emulate", "--pty", "--save-options", self.save_options,
                          "--save-config", self.save_config] + list(extra)
        self.process = None
        self.port = None

    def __enter__(self):
        self.process = subprocess.Popen([CLI] + self.arguments, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        ready, _, _ = select.select([self.process.stdout], [], [], 10)
        check(ready, "the emulator printed no pseudo-terminal path")
        self.port = self.process.stdout.readline().decode().strip()
        check(self.port.startswith("/dev/"), "not a pseudo-terminal path: %r" % self.port)
        return self

    def stop(self):
        """SIGTERM, then the exit status and standard error."""
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        return self.process.returncode, self.process.stderr.read().decode(errors="replace")

    def commands(self, errors):
        """The emulator's count of the commands it received, from its last line: {"read": 3, ...}."""
        match = re.search(r"stopped with the panel at (\d+) baud; commands received: (.*)", errors)
        check(match, "no summary from the emulator: %s" % errors)
        counts = dict((name, int(n)) for name, n in (item.split(" ") for item in match.group(2).split(", ")))
        counts["baud"] = int(match.group(1))
        return counts

    def __exit__(self, *exception):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.process.stdout.close()
        self.process.stderr.close()
        return False


def without_known_losses(xml, zummer_bit6):
    """The XML after an encode/decode round trip: the password is never read back from the panel, and
    bit 6 of the buzzer byte is the panel's own."""
    text = re.sub(r"\s*<password>[^<]*</password>", "", xml.decode())

    def zummer(match):
        value = int(match.group(1), 16)
        value = (value | 0x40) if zummer_bit6 else (value & ~0x40)
        return "<zummerConfig>0x%02X</zummerConfig>" % value
    return re.sub(r"<zummerConfig>0x([0-9A-F]{2})</zummerConfig>", zummer, text)


def convert(path):
    return run(["convert", path]).stdout


def encode(folder, xml, base_options=None, base_config=None):
    options = os.path.join(folder, "options.bin")
    config = os.path.join(folder, "config.bin")
    arguments = ["encode", xml, "--options", options, "--config", config]
    if base_options is not None:
        write_bytes(os.path.join(folder, "base-options.bin"), base_options)
        arguments += ["--base-options", os.path.join(folder, "base-options.bin")]
    if base_config is not None:
        write_bytes(os.path.join(folder, "base-config.bin"), base_config)
        arguments += ["--base-config", os.path.join(folder, "base-config.bin")]
    run(arguments)
    return options, config


# ---------------------------------------------------------------------------------------------- files

def test_help_everywhere(folder):
    check(run(["--help"]).stdout.startswith(b"Usage: zelmar-cli COMMAND"), "tool help")
    for command in ["ports", "info", "read", "write", "check", "diff", "convert", "encode", "decode", "emulate",
                    "doctor", "backups", "restore", "report"]:
        result = run([command, "--help"])
        check(result.stdout.startswith(b"Usage: zelmar-cli " + command.encode()), "help of " + command)
    check(b"drop-at-page:P" in run(["emulate", "--help"]).stdout, "the fault script is documented")
    check(b"flash:always" in run(["emulate", "--help"]).stdout, "the flash fault is documented")


def test_check_summaries(folder):
    check(run(["check", SECTION_XML]).stdout ==
          b"section console, 1 section, 3 devices, 2 named devices, 2 event tables, 1 command\n",
          "summary of the section console")
    check(run(["check", CENTRAL_XML]).stdout ==
          b"central console, 2 sections, 1 device, 1 named device, 1 event table, 0 commands\n",
          "summary of the central console")


def run_reporting(arguments, status):
    """A command whose documented output comes with a non-zero status (diff and check report by status 4)."""
    result = subprocess.run([CLI] + arguments, capture_output=True, timeout=240)
    check(result.returncode == status, "zelmar-cli %s: exit %d, expected %d\nstderr: %s" %
          (" ".join(arguments), result.returncode, status, result.stderr.decode(errors="replace")))
    check(result.stderr == b"", "zelmar-cli %s: unexpected standard error" % arguments)
    return result.stdout.decode()


def edited(folder, source, name, replacements):
    with open(source, encoding="utf-8") as file:
        text = file.read()
    for old, new in replacements:
        check(old in text, "the test file lacks " + old)
        text = text.replace(old, new)
    path = os.path.join(folder, name)
    with open(path, "w", encoding="utf-8") as file:
        file.write(text)
    return path


def test_diff(folder):
    check(run_reporting(["diff", SECTION_XML, SECTION_XML], 0) == "", "equal files print nothing")
    changed = edited(folder, SECTION_XML, "changed.xml",
                     [("<backlightTime>45</backlightTime>", "<backlightTime>60</backlightTime>")])
    check(run_reporting(["diff", SECTION_XML, changed], 4) == "Время включения подсветки: 45 с → 60 с\n",
          "one Russian line per difference")
    differences = json.loads(run_reporting(["diff", SECTION_XML, changed, "--json"], 4))
    check(differences == [{"path": ["options", "backlightTime"], "old": 45, "new": 60}],
          "JSON of the difference: %r" % differences)
    other = json.loads(run_reporting(["diff", "--json", SECTION_XML, CENTRAL_XML], 4))
    paths = [difference["path"] for difference in other]
    check(["options", "pultType"] in paths and ["sections", 0] in paths and ["sections", 24] in paths,
          "a whole section is one entry: %r" % paths)
    whole = [difference for difference in other if difference["path"] == ["sections", 24]][0]
    check(whole["old"] is None and whole["new"]["dubler"] is True, "added section: null and its fields")
    check(json.loads(run_reporting(["diff", "--json", SECTION_XML, SECTION_XML], 0)) == [], "empty array")
    check(b"missing.xml" in run(["diff", SECTION_XML, os.path.join(folder, "missing.xml")], status=2).stderr,
          "a file that cannot be read")
    foreign = os.path.join(folder, "foreign.xml")
    write_bytes(foreign, b"<other/>")
    check(run(["diff", foreign, SECTION_XML], status=2).stderr.decode().strip() == "Неправильный формат файла.",
          "the reader's error as it is")
    run(["diff", SECTION_XML], status=1)


def test_check_problems(folder):
    lossy = edited(folder, SECTION_XML, "lossy.xml", [("<backlightLevel>2</backlightLevel>",
                                                       "<backlightLevel>7</backlightLevel>"),
                                                      ('zone="2"', 'zone="0"')])
    lines = run_reporting(["check", lossy], 4).splitlines()
    check(lines[0].startswith("section console, 1 section"), "the summary line first: %r" % lines[0])
    check(lines[1].startswith("ошибка: Прибор ") and "с зоной 0 не будет записан" in lines[1],
          "the error line: %r" % lines[1:])
    check(lines[-1] == "предупреждение: Яркость подсветки экрана: 7 будет записано как 3",
          "the warning line: %r" % lines[1:])
    report = json.loads(run_reporting(["check", "--json", lossy], 4))
    check(report["summary"] == {"console": "section", "sections": 1, "devices": 3, "namedDevices": 2,
                                "eventTables": 2, "commands": 1}, "summary counts: %r" % report["summary"])
    kinds = [(problem["severity"], problem["kind"], problem["path"][0]) for problem in report["problems"]]
    check(("error", "lost", "sections") in kinds and ("warning", "changed", "options") in kinds,
          "problems: %r" % kinds)
    warned = edited(folder, SECTION_XML, "warned.xml", [("<backlightLevel>2</backlightLevel>",
                                                         "<backlightLevel>7</backlightLevel>")])
    check(run_reporting(["check", warned], 0).count("предупреждение: ") == 1, "warnings alone exit 0")
    missing = os.path.join(folder, "missing.xml")
    run(["check", "--json", missing], status=2)


def test_convert_is_stable(folder):
    for source in [SECTION_XML, CENTRAL_XML]:
        first = os.path.join(folder, "first.xml")
        run(["convert", source, "-o", first])
        once = read_bytes(first)
        check(once.startswith(b'<?xml version="1.0" encoding="UTF-8"?>\n<!-- '), "declaration and comment")
        check(convert(first) == once, "converting the converted file changes it: " + source)
        check(convert(source) == once, "standard output and -o differ")


def test_encode_decode_round_trip(folder):
    for source in [SECTION_XML, CENTRAL_XML]:
        options, config = encode(folder, source)
        check(len(read_bytes(options)) == OPTION_SIZE and len(read_bytes(config)) == CONFIG_SIZE, "image sizes")
        check(read_bytes(options)[0:4] == b"\xff\xff\xff\xff", "encode must not stamp date and counter")
        decoded = run(["decode", "--options", options, "--config", config]).stdout
        check(without_known_losses(decoded, True) == without_known_losses(convert(source), True),
              "encode then decode of %s lost more than documented:\n%s" % (source, decoded.decode()))
        out = os.path.join(folder, "decoded.xml")
        run(["decode", "--options", options, "--config", config, "-o", out])
        check(read_bytes(out) == decoded, "decode -o and standard output differ")


def test_encode_keeps_the_base(folder):
    base = bytearray(range(256))
    base[0x06] = 0x00  # buzzer bit 6 clear on the panel
    options, config = encode(folder, SECTION_XML, base_options=bytes(base),
                             base_config=bytes([0x5A]) * CONFIG_SIZE)
    encoded = read_bytes(options)
    check(encoded[0x06] == 0xBF, "buzzer byte 0x%02X, expected 0xBF with the panel's bit 6 clear" % encoded[0x06])
    for address in [0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x0B, 0x0D, 0x0E] + list(range(0x94, 0x100)):
        check(encoded[address] == base[address], "option byte 0x%02X not kept from the base" % address)
    check(read_bytes(config)[0xEC00 - 0x3E00 + 0xF5] == 0x5A, "event block byte 0xF5 not kept from the base")


# --------------------------------------------------------------------------------------------- errors

def test_usage_errors(folder):
    run([], status=1)
    check(b"unknown command" in run(["frobnicate"], status=1).stderr, "unknown command message")
    check(b"--bogus" in run(["check", SECTION_XML, "--bogus"], status=1).stderr, "unknown option message")
    check(b"missing FILE" in run(["check"], status=1).stderr, "missing argument message")
    run(["check", SECTION_XML, CENTRAL_XML], status=1)
    check(b"needs a value" in run(["convert", SECTION_XML, "-o"], status=1).stderr, "missing value message")
    check(b"--port" in run(["info"], status=1).stderr, "missing --port message")
    run(["read", "--fast"], status=1)
    run(["write", "--port", "/dev/null"], status=1)
    run(["encode", SECTION_XML, "--options", os.path.join(folder, "o.bin")], status=1)
    run(["emulate"], status=1)
    run(["emulate", "--pty", "--port", "/dev/null"], status=1)
    check(b"bogus" in run(["emulate", "--pty", "--fault", "bogus:1"], status=1).stderr, "bad fault message")


def test_bad_files(folder):
    missing = os.path.join(folder, "missing.xml")
    check(b"missing.xml" in run(["check", missing], status=2).stderr, "missing file named")
    run(["check", folder], status=2)  # a folder, not a file
    not_xml = os.path.join(folder, "not.xml")
    write_bytes(not_xml, b"\x00\x01 this is no XML at all")
    run(["check", not_xml], status=2)
    run(["convert", not_xml], status=2)
    run(["write", "--port", "/dev/null", not_xml], status=2)  # the file is refused before the port
    foreign = os.path.join(folder, "foreign.xml")
    write_bytes(foreign, b'<?xml version="1.0"?><configuration deviceId="zelmar" version="2"/>')
    check(run(["check", foreign], status=2).stderr.decode().strip() == "Неправильный формат файла.",
          "the reader's error text alone")
    short = os.path.join(folder, "short.bin")
    write_bytes(short, b"\xff" * 255)
    good_config = os.path.join(folder, "good-config.bin")
    write_bytes(good_config, b"\xff" * CONFIG_SIZE)
    check(b"255 bytes" in run(["decode", "--options", short, "--config", good_config], status=2).stderr,
          "wrong image size named")
    run(["decode", "--options", short.replace("short", "absent"), "--config", good_config], status=2)
    run(["encode", SECTION_XML, "--options", os.path.join(folder, "o.bin"), "--config",
         os.path.join(folder, "c.bin"), "--base-config", short], status=2)
    run(["emulate", "--pty", "--options", good_config], status=2)


def test_failed_writes_keep_existing_files(folder):
    existing = os.path.join(folder, "existing.xml")
    write_bytes(existing, b"precious")
    not_xml = os.path.join(folder, "bad.xml")
    write_bytes(not_xml, b"garbage")
    run(["convert", not_xml, "-o", existing], status=2)
    check(read_bytes(existing) == b"precious", "a failed convert touched the output file")
    run(["convert", SECTION_XML, "-o", os.path.join(folder, "no-such-folder", "out.xml")], status=2)
    run(["convert", SECTION_XML, "-o", folder], status=2)
    options = os.path.join(folder, "keep-options.bin")
    write_bytes(options, b"old")
    run(["encode", SECTION_XML, "--options", options, "--config",
         os.path.join(folder, "no-such-folder", "c.bin")], status=2)
    check(read_bytes(options) == b"old", "encode committed one image although the other failed")
    run(["read", "--port", "/dev/null", "-o", os.path.join(folder, "no-such-folder", "r.xml")], status=2)


def test_bad_ports(folder):
    missing = os.path.join(folder, "ttyNone")
    check(("Порт %s не найден. Преобразователь отключён?" % missing).encode() in
          run(["info", "--port", missing], status=3).stderr, "missing port message")
    regular = os.path.join(folder, "plain-file")
    write_bytes(regular, b"")
    check(("%s не является последовательным портом." % regular).encode() in
          run(["info", "--port", regular], status=3).stderr, "plain file message")
    run(["read", "--port", "/dev/null"], status=3)  # a device, but no terminal
    run(["write", "--port", "/dev/null", SECTION_XML], status=3)
    run(["emulate", "--port", os.path.join(folder, "ttyNone")], status=3)


# ------------------------------------------------------------------------------------------ hardening

def configuration_file(children, prolog=b""):
    return (b'<?xml version="1.0" encoding="UTF-8"?>\n' + prolog +
            b'<configuration deviceId="Zelmar" version="2">\n<pultType>0</pultType>\n' + children +
            b"</configuration>\n")


def named_section(name):
    return configuration_file(b'<section address="0" group="1"><name>' + name + b"</name></section>\n")


def run_measured(arguments, status):
    """Runs the tool as run() does; returns its standard error and its peak resident size in kilobytes."""
    process = subprocess.Popen([CLI] + arguments, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    stderr = process.stderr.read().decode(errors="replace")
    process.stderr.close()
    _, wait_status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(wait_status)
    check(process.returncode == status, "zelmar-cli %s: exit %d, expected %d: %s" %
          (" ".join(arguments)[:80], process.returncode, status, stderr))
    return stderr, usage.ru_maxrss


def test_hostile_files_are_refused(folder):
    entity = b'<!DOCTYPE configuration [<!ENTITY e "' + b"x" * 4000 + b'">]>\n'
    attributes = b" ".join(b'a%d=""' % i for i in range(120000))
    rows = [  # name, content, part of the message
        ("entity used a million times", named_section(b"&e;" * 1000000).replace(b"<configuration", entity +
                                                                                  b"<configuration", 1),
         "DOCTYPE"),
        ("entity in a 19 KB file", named_section(b"&e;" * 5000).replace(b"<configuration", entity +
                                                                        b"<configuration", 1), "DOCTYPE"),
        ("120,000 attributes", configuration_file(b"<unknown " + attributes + b"/>\n"), "атрибут"),
        ("text after the root", configuration_file(b"") + b"trailing text\n", "Extra content"),
    ]
    options, config = os.path.join(folder, "o.bin"), os.path.join(folder, "c.bin")
    for name, content, message in rows:
        path = os.path.join(folder, "hostile.xml")
        write_bytes(path, content)
        for arguments in (["check", path], ["convert", path, "-o", os.path.join(folder, "out.xml")],
                          ["encode", path, "--options", options, "--config", config],
                          ["write", "--port", "/dev/null", path]):
            errors, peak = run_measured(arguments, status=2)
            check(message in errors, "%s, %s: %s" % (name, arguments[0], errors))
            check(peak < 400 * 1024, "%s, %s: the tool needed %d KB" % (name, arguments[0], peak))
    check(not os.path.exists(options) and not os.path.exists(os.path.join(folder, "out.xml")), "outputs written")


def test_texts_come_back_byte_for_byte(folder):
    rows = [  # name text in the file, text in the converted file
        (b"A&#13;B", b"A&#13;B"),
        (b"&#13;&#10;\tx&#13;", b"&#13;\n\tx&#13;"),
        (b"n" * 100000, b"n" * 256),
    ]
    for source, converted in rows:
        path = os.path.join(folder, "texts.xml")
        write_bytes(path, named_section(source))
        once = convert(path)
        check(b"<name>" + converted + b"</name>" in once, "converted %r: %r" % (source[:20], once))
        write_bytes(path, once)
        check(convert(path) == once, "a second conversion of %r changes the file" % source[:20])


def special_files(folder):
    """A FIFO, a socket and, where allowed (root), a character device like /dev/null, in the test folder."""
    fifo = os.path.join(folder, "fifo")
    os.mkfifo(fifo)
    sock = os.path.join(folder, "socket")
    server = socket.socket(socket.AF_UNIX)
    server.bind(sock)
    server.close()
    nodes = [fifo, sock]
    try:
        os.mknod(os.path.join(folder, "null"), 0o666 | stat.S_IFCHR, os.makedev(1, 3))
        nodes.append(os.path.join(folder, "null"))
    except PermissionError:
        pass  # not root, or no right to make device nodes here
    return nodes


def test_outputs_that_are_no_regular_files_are_left_alone(folder):
    options, config = encode(folder, SECTION_XML)
    for node in special_files(folder):
        kind = stat.S_IFMT(os.lstat(node).st_mode)
        for arguments in (["convert", SECTION_XML, "-o", node],
                          ["decode", "--options", options, "--config", config, "-o", node],
                          ["encode", SECTION_XML, "--options", os.path.join(folder, "new.bin"), "--config", node],
                          ["read", "--port", "/dev/null", "-o", node],
                          ["emulate", "--pty", "--save-options", node]):
            check("not a regular file" in run(arguments, status=2).stderr.decode(), "%s %s" % (arguments[0], node))
            check(stat.S_IFMT(os.lstat(node).st_mode) == kind, "%s replaced %s" % (arguments[0], node))
    check(not os.path.exists(os.path.join(folder, "new.bin")), "encode wrote one image of two")


def test_usage_errors_come_before_any_file(folder):
    image = os.path.join(folder, "image.bin")
    write_bytes(image, b"old")
    os.symlink("image.bin", os.path.join(folder, "link.bin"))
    rows = [
        ["decode", "--options", "/nonexistent"],
        ["encode", SECTION_XML, "--options", "/nonexistent/o.bin"],
        ["encode", "/nonexistent.xml", "--options", image, "--config", image],
        ["encode", SECTION_XML, "--options", "image.bin", "--config", "./image.bin"],
        ["encode", SECTION_XML, "--options", "link.bin", "--config", image],
        ["encode", SECTION_XML, "--options", "fresh.bin", "--config", os.path.join(folder, "fresh.bin")],
        ["emulate", "--pty", "--save-options", "image.bin", "--save-config", "image.bin"],
    ]
    previous = os.getcwd()
    os.chdir(folder)  # relative and absolute names of one file
    try:
        for arguments in rows:
            run(arguments, status=1)
    finally:
        os.chdir(previous)
    check(read_bytes(image) == b"old" and sorted(os.listdir(folder)) == ["image.bin", "link.bin"],
          "a refused command touched a file: %s" % os.listdir(folder))


def test_names_that_are_not_utf8(folder):
    source = os.path.join(folder, b"\xff\xfe-source.xml".decode(errors="surrogateescape"))
    shutil.copy(SECTION_XML, source)
    run(["check", source])
    out = source.replace("-source", "-out\udc80")
    run(["convert", source, "-o", out])
    options, config = source + "\udcff-o.bin", source + "\udcff-c.bin"
    run(["encode", out, "--options", options, "--config", config])
    run(["decode", "--options", options, "--config", config, "-o", out])
    check(read_bytes(out) == run(["decode", "--options", options, "--config", config]).stdout,
          "the file behind the name differs")
    check(sorted(os.listdir(os.fsencode(folder))) ==
          sorted([os.fsencode(os.path.basename(name)) for name in (source, out, options, config)]),
          "names: %s" % os.listdir(os.fsencode(folder)))


def test_images_are_checked_before_reading(folder):
    larger = os.path.join(folder, "larger.bin")
    write_bytes(larger, b"\xff" * (OPTION_SIZE + 1))
    for arguments in (["emulate", "--pty", "--options", larger], ["emulate", "--pty", "--options", "/dev/zero"],
                      ["emulate", "--pty", "--config", "/dev/zero"],
                      ["decode", "--options", larger, "--config", "/dev/zero"]):
        run(arguments, status=2)


# ------------------------------------------------------------------------------------------- transfers

def panel_images(folder, xml, counter=5):
    """Images of a panel holding the configuration, last written on 01.01.2020 with the given counter."""
    base_options = empty_panel_options()
    base_options[0:4] = bytes([1, 1, 20, counter])
    options, config = encode(folder, xml, base_options=bytes(base_options))
    return options, config


def expect_stamp(options, counter):
    today = datetime.date.today()
    check(options[0:4] == bytes([today.day, today.month, today.year - 2000, counter]),
          "date and counter stamp %s" % options[0:4].hex())


def transfer_round(folder, fast):
    speed = ["--fast"] if fast else []
    options, config = panel_images(folder, SECTION_XML)
    with Emulator(folder, ["--options", options, "--config", config]) as emulator:
        info = run(["info", "--port", emulator.port]).stdout.decode().splitlines()
        check([line.split(": ")[0] for line in info] ==
              ["loader-version", "device-name", "page-size", "firmware-version", "last-write-date",
               "write-counter"], "info keys: %s" % info)
        check(info[:3] == ["loader-version: 18", "device-name: Z-ZL3", "page-size: 256"], "identification")
        check(info[4:] == ["last-write-date: 01.01.2020", "write-counter: 5"], "option page: %s" % info)
        result = run(["read", "--port", emulator.port] + speed)
        check(result.stderr == b"", "progress drawn although standard error is no terminal")
        expected = run(["decode", "--options", options, "--config", config]).stdout
        check(result.stdout == expected, "read differs from decoding the panel's images")
        run(["write", "--port", emulator.port] + speed + [CENTRAL_XML])
        saved_options = read_bytes(emulator.save_options)  # saved after the finish command
        expect_stamp(saved_options, 6)
        status, errors = emulator.stop()
        check(status == 0, "emulator exit %d: %s" % (status, errors))
    # The configuration is encoded onto what the panel held: every byte it does not set keeps its value.
    base = bytearray(read_bytes(options))
    base[0:4] = saved_options[0:4]
    written_options, written_config = encode(folder, CENTRAL_XML, base_options=bytes(base),
                                             base_config=read_bytes(config))
    check(saved_options == read_bytes(written_options), "the panel's option page differs from the encoding")
    check(read_bytes(emulator.save_config) == read_bytes(written_config), "the panel's configuration differs")
    # A new emulator from the saved memory: reading gives back the written file, less the known losses.
    with Emulator(folder, ["--options", emulator.save_options, "--config", emulator.save_config]) as again:
        read_back = run(["read", "--port", again.port] + speed).stdout
        check(without_known_losses(read_back, True) == without_known_losses(convert(CENTRAL_XML), True),
              "read after write:\n" + read_back.decode())


def test_transfer_fast(folder):
    transfer_round(folder, fast=True)


def test_read_to_file_fast(folder):
    with Emulator(folder) as emulator:
        out = os.path.join(folder, "panel.xml")
        run(["read", "--port", emulator.port, "--fast", "-o", out])
        check(b"<configuration" in read_bytes(out), "read -o wrote no configuration")
        run(["check", out])


def test_transfer_normal(folder):
    transfer_round(folder, fast=False)


# ---------------------------------------------------------------------------------------------- faults

def expect_transfer_error(folder, faults, command, status, message, options=None):
    extra = sum((["--fault", fault] for fault in faults), [])
    if options is not None:
        path = os.path.join(folder, "fault-options.bin")
        write_bytes(path, options)
        extra += ["--options", path]
    with Emulator(folder, extra) as emulator:
        arguments = [command, "--port", emulator.port] + (["--fast"] if command != "info" else [])
        if command == "write":
            arguments.append(SECTION_XML)
        result = run(arguments, status=status)
        check(message in result.stderr.decode(), "message %r missing: %s" % (message, result.stderr.decode()))
        return emulator.stop()


def test_silent_panel(folder):
    expect_transfer_error(folder, ["silent:1000"], "info", 11, "Нет связи с прибором. Проверьте подключение.")


def test_wrong_firmware(folder):
    options = empty_panel_options()
    options[0x04] = 0xB3
    for command in ["read", "write"]:
        expect_transfer_error(folder, [], command, 16, "Несовместимая версия ПО прибора.", bytes(options))


def test_wrong_address_status(folder):
    expect_transfer_error(folder, ["status:0xA2:3"], "info", 17, "Внутренняя ошибка программы-конфигуратора.")


def test_dropped_link(folder):
    for command in ["read", "write"]:
        status, errors = expect_transfer_error(folder, ["drop-at-page:5"], command, 10,
                                               "Нет связи с преобразователем USB-RS485.")
        check(status == 0 and "dropped" in errors, "emulator after the drop: %d %s" % (status, errors))


def test_damaged_answers_are_retried(folder):
    with Emulator(folder, ["--fault", "bad-crc:2,truncate:1"]) as emulator:
        run(["read", "--port", emulator.port, "--fast"])


# ------------------------------------------------------------------------------------------ safe write

def store_files(data, kind):
    folder = os.path.join(data, kind)
    return sorted(os.listdir(folder)) if os.path.isdir(folder) else []


def known_images_name(options, config):
    """The store's file of images known for a panel holding these memories (the emulator's checksum is
    the CRC-32 of each area)."""
    return "%08x-%08x.img" % (zlib.crc32(options), zlib.crc32(config))


def test_second_write_needs_no_read(folder):
    data = os.path.join(folder, "data")
    options, config = panel_images(folder, SECTION_XML)
    with Emulator(folder, ["--options", options, "--config", config]) as emulator:
        run(["write", "--port", emulator.port, "--fast", "--data-dir", data, CENTRAL_XML])
        status, errors = emulator.stop()
        first = emulator.commands(errors)
    check(first["read"] == 191 + 1 + first["write"], "the first write reads the panel: %s" % first)
    check(first["baud"] == 19200, "the panel ends at 19200 baud")
    check(store_files(data, "backups") and len(store_files(data, "backups")) == 1, "one backup")
    edited = os.path.join(folder, "edited.xml")
    write_bytes(edited, read_bytes(CENTRAL_XML).replace(b"<menuTime>", b"<menuTime>1", 1))
    # A new process and a new emulator holding what the first one saved: the store knows the panel.
    with Emulator(folder, ["--options", emulator.save_options, "--config", emulator.save_config]) as again:
        run(["write", "--port", again.port, "--data-dir", data, edited])
        status, errors = again.stop()
        second = again.commands(errors)
    check(second["write"] == 1 and second["read"] == 1 + 1, "one page written and read back: %s" % second)
    check(len(store_files(data, "backups")) == 2, "a second backup")


def test_backups_and_restore(folder):
    data = os.path.join(folder, "data")
    options, config = panel_images(folder, SECTION_XML)
    original_options, original_config = read_bytes(options), read_bytes(config)
    run(["backups", "--data-dir", data])  # no folder yet: nothing listed
    with Emulator(folder, ["--options", options, "--config", config]) as emulator:
        run(["write", "--port", emulator.port, "--fast", "--data-dir", data, CENTRAL_XML])
        listed = json.loads(run(["backups", "--json", "--data-dir", data]).stdout)
        check(len(listed) == 1, "one backup: %s" % listed)
        backup = listed[0]
        check(sorted(backup) == ["counter", "firmware", "id", "panelDate", "summary", "time"], "keys %s" % backup)
        check(backup["panelDate"] == "01.01.2020" and backup["counter"] == 5 and backup["firmware"] == "2.15.15",
              "what the panel held: %s" % backup)
        check(backup["summary"] == run(["check", SECTION_XML]).stdout.decode().strip(), "summary %s" % backup)
        check(re.match(r"^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d$", backup["time"]), backup["time"])
        lines = run(["backups", "--data-dir", data]).stdout.decode().splitlines()
        check(len(lines) == 1 and lines[0].split("\t")[0] == backup["id"], "listing: %s" % lines)
        exported = os.path.join(folder, "exported.xml")
        run(["backups", "export", backup["id"], "-o", exported, "--data-dir", data])
        check(without_known_losses(read_bytes(exported), True) == without_known_losses(convert(SECTION_XML), True),
              "the exported backup is the panel's former configuration")
        run(["restore", backup["id"], "--port", emulator.port, "--fast", "--data-dir", data])
        status, errors = emulator.stop()
    restored_options, restored_config = read_bytes(emulator.save_options), read_bytes(emulator.save_config)
    check(restored_config == original_config, "restore brings back the configuration area")
    check(restored_options[4:] == original_options[4:], "restore brings back the option page but the stamp")
    expect_stamp(restored_options, 7)
    check(len(json.loads(run(["backups", "--json", "--data-dir", data]).stdout)) == 2, "restore keeps a backup")
    run(["backups", "delete", backup["id"], "--data-dir", data])
    check(len(json.loads(run(["backups", "--json", "--data-dir", data]).stdout)) == 1, "deleted")
    check(b"no backup" in run(["backups", "export", backup["id"], "--data-dir", data], status=2).stderr,
          "unknown id named")
    run(["backups", "delete", "../../etc/passwd", "--data-dir", data], status=2)
    run(["restore", "nope", "--port", "/dev/null", "--data-dir", data], status=2)
    run(["backups", "frobnicate", "--data-dir", data], status=1)


def test_verify_failure(folder):
    data = os.path.join(folder, "data")
    with Emulator(folder, ["--fault", "flash:always"]) as emulator:
        result = run(["write", "--port", emulator.port, "--fast", "--data-dir", data, SECTION_XML], status=18)
        check("Ошибка проверки записи: данные в памяти прибора отличаются от записанных." in
              result.stderr.decode(), "verify message: %s" % result.stderr.decode())
        status, errors = emulator.stop()
        check(emulator.commands(errors)["baud"] == 19200, "the panel is left at 19200 baud")
        check(emulator.commands(errors)["finish"] == 0, "a failed write does not finish")
    with Emulator(folder, ["--fault", "flash:1"]) as emulator:
        run(["write", "--port", emulator.port, "--data-dir", data, SECTION_XML])
        run(["write", "--port", emulator.port, "--no-verify", "--full", "--no-backup", "--data-dir", data,
             SECTION_XML])


def test_write_options(folder):
    data = os.path.join(folder, "data")
    with Emulator(folder) as emulator:
        run(["write", "--port", emulator.port, "--full", "--no-verify", "--no-backup", "--data-dir", data,
             SECTION_XML])
        status, errors = emulator.stop()
        counts = emulator.commands(errors)
    check(counts["write"] == 191, "--full writes every page: %s" % counts)
    check(counts["read"] == 191 + 1, "--no-verify reads nothing back: %s" % counts)
    check(store_files(data, "backups") == [], "--no-backup keeps no backup")
    # What was read before the write, and what the panel holds after it.
    check(len(store_files(data, "images")) == 2, "the images kept: %s" % store_files(data, "images"))


def test_refusal_force_and_dry_run(folder):
    data = os.path.join(folder, "data")
    faulty = os.path.join(folder, "zone-zero.xml")
    write_bytes(faulty, read_bytes(SECTION_XML).replace(b'<device address="7" zone="3"/>',
                                                         b'<device address="7" zone="0"/>'))
    options, config = panel_images(folder, SECTION_XML)
    with Emulator(folder, ["--options", options, "--config", config]) as emulator:
        refused = run(["write", "--port", emulator.port, "--data-dir", data, faulty], status=4)
        check("ошибка: Прибор 7" in refused.stderr.decode(), "the problems: %s" % refused.stderr.decode())
        # The panel holds the section console: nothing would change, and nothing is written.
        same = run(["write", "--port", emulator.port, "--dry-run", "--data-dir", data, SECTION_XML])
        check(same.stdout == b"", "no change expected: %s" % same.stdout.decode())
        changed = run(["write", "--port", emulator.port, "--dry-run", "--fast", "--data-dir", data, faulty],
                      status=4, reporting=True)
        # What the panel would hold: a device of zone 0 is not written, so it would be gone.
        check(changed.stdout.decode() == "Прибор 7: удалён прибор\n", "dry run: %s" % changed.stdout.decode())
        check("ошибка: Прибор 7" in changed.stderr.decode(), "problems of a dry run")
        other_password = os.path.join(folder, "password.xml")
        write_bytes(other_password, read_bytes(SECTION_XML).replace(b"<password>1234</password>",
                                                                    b"<password>98765</password>"))
        password = run(["write", "--port", emulator.port, "--dry-run", "--json", "--data-dir", data,
                        other_password], status=1)  # --json is no option of write
        password = run(["write", "--port", emulator.port, "--dry-run", "--data-dir", data, other_password],
                       status=4, reporting=True)
        check(password.stdout.decode().count("\n") == 1 and "«98765»" in password.stdout.decode(),
              "the password change: %s" % password.stdout.decode())
        run(["write", "--port", emulator.port, "--force", "--data-dir", data, faulty])
        status, errors = emulator.stop()
        counts = emulator.commands(errors)
    check(counts["write"] >= 1 and counts["finish"] == 1, "only the forced write wrote: %s" % counts)
    check(read_bytes(emulator.save_options)[0x11 + 6] & 0x0F == 0, "device 7 gone after the forced write")
    check(len(store_files(data, "backups")) == 1, "one backup, of the forced write")


# ------------------------------------------------------------------------------------------ interrupt

def read_terminal(master, timeout):
    """What the terminal's other side wrote: None when nothing came within the time-out, b"" once it has
    closed."""
    ready, _, _ = select.select([master], [], [], timeout)
    if not ready:
        return None
    try:
        return os.read(master, 4096)
    except OSError:
        return b""


def run_until_progress(arguments, phase, percent):
    """Runs the tool with standard error on a terminal (so that it draws its progress) and sends SIGINT
    once the bar after the phase's name (any bar for an empty name) reaches the percentage; returns the
    exit status and standard error."""
    master, slave = pty.openpty()
    process = subprocess.Popen([CLI] + arguments, stdout=subprocess.PIPE, stderr=slave)
    os.close(slave)
    seen = b""
    deadline = time.monotonic() + 120
    sent = False
    try:
        while time.monotonic() < deadline:
            chunk = read_terminal(master, 1)
            if chunk is None:
                continue
            if not chunk:
                break
            seen += chunk
            text = seen.decode(errors="replace")
            tail = text if not phase else text.split(phase)[-1] if phase in text else ""
            percents = re.findall(r"\] +(\d+)%", tail)
            if not sent and percents and int(percents[-1]) >= percent:
                process.send_signal(signal.SIGINT)
                sent = True
        status = process.wait(timeout=60)
        while True:
            chunk = read_terminal(master, 0)
            if not chunk:
                break
            seen += chunk
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
        os.close(master)
        process.stdout.close()
    check(sent, "the progress never reached %s %d%%: %r" % (phase, percent, seen[-300:]))
    return status, seen.decode(errors="replace")


def test_sigint_in_the_middle_of_a_write(folder):
    data = os.path.join(folder, "data")
    options, config = panel_images(folder, SECTION_XML)
    with Emulator(folder, ["--options", options, "--config", config]) as emulator:
        status, errors = run_until_progress(
            ["write", "--port", emulator.port, "--fast", "--data-dir", data, CENTRAL_XML], "Запись в прибор", 20)
        check(status == 130, "exit %d after SIGINT: %s" % (status, errors))
        check("stopped by a signal" in errors, "message: %s" % errors)
        run(["info", "--port", emulator.port])
        emulator_status, emulator_errors = emulator.stop()
        counts = emulator.commands(emulator_errors)
    check(counts["baud"] == 19200, "the panel was left at %d baud" % counts["baud"])
    check(counts["speed"] == 2, "raised and brought back, no speed recovery needed: %s" % counts)
    check(counts["finish"] == 0, "the interrupted write did not finish")
    # Only what the panel was known to hold is in the store: the content read before writing.
    check(store_files(data, "images") == [known_images_name(read_bytes(options), read_bytes(config))],
          "images in the store: %s" % store_files(data, "images"))


def test_sigint_during_a_read_keeps_the_output(folder):
    output = os.path.join(folder, "panel.xml")
    write_bytes(output, b"precious")
    with Emulator(folder) as emulator:
        status, errors = run_until_progress(["read", "--port", emulator.port, "-o", output,
                                             "--data-dir", os.path.join(folder, "data")], "", 30)
        check(status == 130, "exit %d after SIGINT: %s" % (status, errors))
        emulator_status, emulator_errors = emulator.stop()
    check(read_bytes(output) == b"precious", "an interrupted read touched the output file")
    check(store_files(os.path.join(folder, "data"), "images") == [], "an interrupted read kept images")


# ---------------------------------------------------------------------------------------------- doctor

DOCTOR_TITLES = ["Наличие порта", "Права доступа", "Другие программы", "Открытие порта", "Задержка FTDI",
                 "ModemManager", "Прибор на 19200 бод", "Чтение страницы на 19200 бод",
                 "Чтение страницы на 345600 бод", "Возврат на 19200 бод"]


def doctor(port, status):
    """The doctor's lines as (status word, title, detail)."""
    result = subprocess.run([CLI, "doctor", "--port", port], capture_output=True, timeout=120)
    check(result.returncode == status, "doctor on %s: exit %d, expected %d\n%s%s" %
          (port, result.returncode, status, result.stdout.decode(), result.stderr.decode()))
    check((status == 0) == (result.stderr == b""), "doctor's standard error: %r" % result.stderr.decode())
    lines = []
    for line in result.stdout.decode().splitlines():
        word, _, rest = line.partition("\t")
        title, _, detail = rest.partition(": ")
        check(word in ("ok", "warning", "error"), "doctor line without its mark: %r" % line)
        lines.append((word, title, detail))
    return lines


def modem_manager_runs():
    return subprocess.run(["pgrep", "-x", "ModemManager"], capture_output=True).returncode == 0


def test_doctor_on_the_emulator(folder):
    with Emulator(folder) as emulator:
        lines = doctor(emulator.port, 0)
    check([title for _, title, _ in lines] == DOCTOR_TITLES, "doctor's checks: %s" % lines)
    for word, title, detail in lines:
        hint_allowed = title == "ModemManager" and modem_manager_runs()
        check(word == "ok" or (hint_allowed and word == "warning"), "not ok: %s %s: %s" % (word, title, detail))
    check(lines[0][2] == emulator.port, "the port named: %s" % lines[0][2])
    check(lines[6][2] == "загрузчик 18, прибор Z-ZL3, страница 256 байт", "identification: %s" % lines[6][2])
    for _, _, detail in lines[7:9]:
        check(re.fullmatch(r"ответ за \d+ мс", detail), "round trip: %s" % detail)


def test_doctor_on_a_missing_port(folder):
    missing = os.path.join(folder, "ttyUSB9")
    check(doctor(missing, 3) == [("error", "Наличие порта", "Порт %s не найден. Преобразователь отключён?" % missing)],
          "doctor on a missing port")


def test_doctor_on_a_silent_panel(folder):
    with Emulator(folder, ["--fault", "silent:1000"]) as emulator:
        lines = doctor(emulator.port, 11)
    check(lines[-1] == ("error", "Прибор на 19200 бод", "Нет связи с прибором. Проверьте подключение."),
          "doctor on a silent panel: %s" % lines)
    check(len(lines) == 7, "the check goes on after an error: %s" % lines)



# --------------------------------------------------------------------------------------------- report

def sample_files(folder):
    subprocess.run([SAMPLE_FILES, folder], check=True, timeout=60)
    return os.path.join(folder, "sample-site.xml"), os.path.join(folder, "large-site.xml")


def report(folder, source, extension, extra=()):
    out = os.path.join(folder, "report" + extension)
    run(["report", source, "-o", out] + list(extra))
    return read_bytes(out)


def pdf_text(folder, source):
    out = os.path.join(folder, "report.pdf")
    run(["report", source, "-o", out])
    check(read_bytes(out).startswith(b"%PDF"), "not a PDF")
    fonts = subprocess.run(["pdffonts", out], capture_output=True, check=True, timeout=60).stdout.decode()
    check(re.search(r"DejaVuSans\S*\s+CID TrueType\s+Identity-H\s+yes", fonts), "DejaVu Sans not embedded:\n" + fonts)
    text = subprocess.run(["pdftotext", out, "-"], capture_output=True, check=True, timeout=120).stdout.decode()
    return " ".join(text.split())


def check_page_footers(text):
    """Every page from 1 to the count has its footer; returns the page count."""
    found = re.search(r"Стр\. 1 из (\d+)", text)
    check(found, "no page footer in the PDF text")
    pages = int(found.group(1))
    for page in range(1, pages + 1):
        check("Стр. %d из %d" % (page, pages) in text, "page %d has no footer" % page)
    return pages


def csv_rows(folder, source):
    content = report(folder, source, ".csv")
    check(content.startswith(b"\xef\xbb\xbf"), "the CSV has no byte order mark")
    rows = list(csv.reader(io.StringIO(content.decode("utf-8-sig"), newline=""), delimiter=";"))
    check(rows[0] == ["Секция", "Адрес", "Зона", "Прибор", "Выходы", "Шлейф 1", "Шлейф 2", "ЛС 3", "ЛС 4",
                      "События"], "CSV header %r" % rows[0])
    return rows[1:]


def test_report_of_the_sample_site(folder):
    sample, _ = sample_files(folder)
    text = pdf_text(folder, sample)
    for expected in ["Склад", "Администрация", "Проходная", "Склад готовой продук", "Дымовые извещатели",
                     "Котельная", "Сирена склада", "Возгорание"]:
        check(expected in text, "the PDF text lacks %r" % expected)
    check_page_footers(text)
    html = report(folder, sample, ".html").decode()
    check('<td class="default">Секционный пульт 2</td>' in html and "font-style: italic" in html,
          "default names are not italic in the HTML")
    rows = csv_rows(folder, sample)
    check([row[:4] for row in rows] == [["1", "17", "", "Склад готовой продук"], ["3", "18", "", "Котельная"]],
          "CSV rows %r" % rows)
    for output in [text.encode(), html.encode(), report(folder, sample, ".csv")]:
        check(b"4711" not in output, "the password is in the report")


def test_report_of_3048_devices(folder):
    _, large = sample_files(folder)
    rows = csv_rows(folder, large)
    check(len(rows) == 3048, "%d CSV rows for 3048 devices" % len(rows))
    text = pdf_text(folder, large)
    check(check_page_footers(text) > 24, "too few pages for 24 device tables")
    for section in range(1, 25):
        check("Pult %d.0" % section in text, "console %d missing" % section)
        for address in range(1, 128):
            name = "Device %d.%d " % (section, address)
            check(name in text, "the PDF text lacks %r" % name)


def test_report_changes_only(folder):
    xml = read_bytes(SECTION_XML).decode()
    xml = xml.replace("<eventTable>0</eventTable>", "<eventTable>2</eventTable>")
    xml = xml.replace("</configuration>", '<eventTable index="2"><name>Обычная</name></eventTable>\n</configuration>')
    source = os.path.join(folder, "tables.xml")
    write_bytes(source, xml.encode())
    full = report(folder, source, ".html").decode()
    short = report(folder, source, ".html", ["--changes-only"]).decode()
    check("Таблица 2 «Обычная»" in full and "Таблица 2 «Обычная»" not in short, "the default table was kept")
    check("Таблица 1 «Склады»" in short, "the customised table was left out")
    check("Только отличия от значений по умолчанию" in short, "the heading does not say changes only")


def test_report_refusals(folder):
    broken = os.path.join(folder, "broken.xml")
    write_bytes(broken, b"<configuration")
    out = os.path.join(folder, "out.pdf")
    run(["report", broken, "-o", out], status=2)
    check(not os.path.exists(out), "a report of a damaged file was written")
    run(["report", SECTION_XML, "-o", os.path.join(folder, "out.txt")], status=1)
    run(["report", SECTION_XML], status=1)
    run(["report", SECTION_XML, "-o", os.path.join(folder, "no-such-folder", "out.csv")], status=2)


GROUPS = {
    "files": [test_help_everywhere, test_check_summaries, test_diff, test_check_problems, test_convert_is_stable,
              test_encode_decode_round_trip, test_encode_keeps_the_base],
    "errors": [test_usage_errors, test_bad_files, test_failed_writes_keep_existing_files, test_bad_ports],
    "hardening": [test_hostile_files_are_refused, test_texts_come_back_byte_for_byte,
                  test_outputs_that_are_no_regular_files_are_left_alone, test_usage_errors_come_before_any_file,
                  test_names_that_are_not_utf8, test_images_are_checked_before_reading],
    "transfer_fast": [test_transfer_fast, test_read_to_file_fast],
    "transfer_normal": [test_transfer_normal],
    "faults": [test_silent_panel, test_wrong_firmware, test_wrong_address_status, test_dropped_link,
               test_damaged_answers_are_retried],
    "doctor": [test_doctor_on_the_emulator, test_doctor_on_a_missing_port, test_doctor_on_a_silent_panel],
    "safe_write": [test_second_write_needs_no_read, test_backups_and_restore, test_verify_failure,
                   test_write_options, test_refusal_force_and_dry_run],
    "interrupt": [test_sigint_in_the_middle_of_a_write, test_sigint_during_a_read_keeps_the_output],
    "report": [test_report_of_the_sample_site, test_report_of_3048_devices, test_report_changes_only,
               test_report_refusals],
}


def main():
    global CLI, SAMPLE_FILES
    CLI = os.path.abspath(sys.argv[1])
    SAMPLE_FILES = os.path.abspath(sys.argv[3]) if len(sys.argv) > 3 else None
    # A ctest time-out sends SIGTERM: unwind, so that every emulator is stopped.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    # The tool's default image store must never be the user's: every run without --data-dir lands here.
    scratch_home = tempfile.mkdtemp(prefix="zelmar-cli-data-")
    os.environ["XDG_DATA_HOME"] = scratch_home
    for test in GROUPS[sys.argv[2]]:
        folder = tempfile.mkdtemp(prefix="zelmar-cli-test-")
        try:
            test(folder)
            print("PASS", test.__name__)
        except (Failure, subprocess.TimeoutExpired) as error:
            failures.append(test.__name__)
            print("FAIL", test.__name__ + ":", error)
        finally:
            shutil.rmtree(folder, ignore_errors=True)
    shutil.rmtree(scratch_home, ignore_errors=True)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
