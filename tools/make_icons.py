#!/usr/bin/env python3
"""Makes the configurator's icons under res/.

The 16x16 action icons are copied from the Tango icon theme (public domain, Debian package
tango-icon-theme); the application icon (16, 48, 128 and 256 pixels) and the logo are drawn here with plain zlib/struct PNG
writing, so the script needs nothing beyond Python.

Usage: tools/make_icons.py [REPOSITORY_ROOT]
"""
import os
import shutil
import struct
import sys
import zlib

TANGO = "/usr/share/icons/Tango/16x16"

# Name the forms expect -> Tango icon (the nearest one where Tango has no icon of that name).
ACTION_ICONS = {
    "document-load": "actions/document-open",
    "document-save": "actions/document-save",
    "document-new": "actions/document-new",
    "folder-open": "status/folder-open",
    "media-floppy": "devices/media-floppy",
    "document-save-as": "actions/document-save-as",
    "system-log-out": "actions/system-log-out",
    "view-refresh": "actions/view-refresh",
    "network-transmit-receive": "status/network-transmit-receive",
    "list-add": "actions/list-add",
    "list-remove": "actions/list-remove",
    "edit-copy": "actions/edit-copy",
    "document-properties": "actions/document-properties",
    "edit-clear": "actions/edit-clear",
    "go-top": "actions/go-top",
    "go-up": "actions/go-up",
    "go-down": "actions/go-down",
    "go-bottom": "actions/go-bottom",
    "edit-find": "actions/edit-find",
    "dialog-error": "status/dialog-error",
    "dialog-warning": "status/dialog-warning",
}


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[(0, 0, 0, 0)] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, colour)

    def rounded_rect(self, x0, y0, x1, y1, radius, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                cx = min(max(x, x0 + radius), x1 - 1 - radius)
                cy = min(max(y, y0 + radius), y1 - 1 - radius)
                if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius:
                    self.put(x, y, colour)

    def disc(self, cx, cy, radius, colour):
        for y in range(int(cy - radius) - 1, int(cy + radius) + 2):
            for x in range(int(cx - radius) - 1, int(cx + radius) + 2):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= radius * radius:
                    self.put(x, y, colour)

    def thick_line(self, x0, y0, x1, y1, width, colour):
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
        for i in range(steps + 1):
            t = i / steps
            self.disc(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, width / 2, colour)

    def png(self):
        raw = b"".join(b"\x00" + b"".join(struct.pack("4B", *p) for p in row) for row in self.pixels)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
                + chunk(b"IEND", b""))


RED = (196, 30, 36, 255)
DARK = (46, 52, 54, 255)
LCD = (138, 226, 52, 255)
WHITE = (255, 255, 255, 255)


def panel_icon(size):
    """The control panel: a red body, a green character LCD and a white 'Z' below it."""
    s = size / 16.0
    canvas = Canvas(size, size)
    canvas.rounded_rect(0, 0, size, size, max(1, int(3 * s)), DARK)
    canvas.rounded_rect(int(1 * s), int(1 * s), size - int(1 * s), size - int(1 * s), max(1, int(2 * s)), RED)
    canvas.rect(int(3 * s), int(3 * s), size - int(3 * s), int(7 * s), LCD)
    width = max(1.2, 1.6 * s)
    canvas.thick_line(5 * s, 9 * s, 11 * s, 9 * s, width, WHITE)
    canvas.thick_line(11 * s, 9 * s, 5 * s, 13 * s, width, WHITE)
    canvas.thick_line(5 * s, 13 * s, 11 * s, 13 * s, width, WHITE)
    return canvas


def logo():
    """The About dialog's logo: the panel icon at 96x96 on its own."""
    return panel_icon(96)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    target = os.path.join(root, "res", "16x16")
    os.makedirs(target, exist_ok=True)
    for name, source in ACTION_ICONS.items():
        shutil.copyfile(os.path.join(TANGO, source + ".png"), os.path.join(target, name + ".png"))
    with open(os.path.join(target, "appIcon16x16.png"), "wb") as f:
        f.write(panel_icon(16).png())
    with open(os.path.join(root, "res", "appIcon48x48.png"), "wb") as f:
        f.write(panel_icon(48).png())
    with open(os.path.join(root, "res", "logo.png"), "wb") as f:
        f.write(logo().png())
    # The larger sizes of the program icon that the desktop's hicolor theme gets from the package.
    for size in (128, 256):
        with open(os.path.join(root, "res", "appIcon%dx%d.png" % (size, size)), "wb") as f:
            f.write(panel_icon(size).png())


if __name__ == "__main__":
    main()
