#!/usr/bin/env python3
"""Builds res/default.pif, the "_default.pif" that Quillon Loader puts into the
Windows folder while a game runs (resource 182, type PIFFILE).

Layout of a Windows PIF (all numbers little-endian):

    0x000  basic section data, 0x171 bytes (TopView heritage, checksummed)
    0x171  heading "MICROSOFT PIFEX" -> data at 0, 0x171 bytes
    ...    heading + data of each further section, chained

A heading is 22 bytes: a 16-byte NUL-padded name, the file offset of the next
heading (0xFFFF ends the chain), the file offset of the section's data and the
data's length in bytes.

Our file carries, in this order, the basic section and the sections
"WINDOWS 386 3.0" (0x68 bytes), "WINDOWS 286 3.0" (6), "WINDOWS NT  3.1"
(0x8C), "WINDOWS NT  4.0" (0x68C) and "WINDOWS VMM 4.0" (0x1AC), each heading
followed directly by its data: 0x171 + 6 * 22 + 0x968 = 2855 bytes.

Fields whose meaning is not known are left zero. Run with no argument to
rewrite res/default.pif next to this script's folder, or give an output path.
"""

import struct
import sys
from pathlib import Path

FILE_SIZE = 2855
BASIC_SIZE = 0x171
HEADING_SIZE = 22
END_OF_CHAIN = 0xFFFF

PROGRAM = "_DEFAULT.BAT"
ICON_FILE = "PIFMGR.DLL"
RASTER_FONT = "Terminal"
TRUETYPE_FONT = "Lucida Console"
CONFIG_NT = r"%SystemRoot%\SYSTEM32\CONFIG.NT"
AUTOEXEC_NT = r"%SystemRoot%\SYSTEM32\AUTOEXEC.NT"

# Memory sizes are in KB; 0xFFFF asks for as much as the machine can give.
AS_MUCH_AS_POSSIBLE = 0xFFFF

# Basic section, byte 0x63.
BASIC_CLOSE_ON_EXIT = 0x10

# "WINDOWS 386 3.0", first flag dword.
W386_FULL_SCREEN = 0x00000008
W386_FAST_PASTE = 0x00020000
# "WINDOWS 386 3.0", video flag word.
W386_EMULATE_TEXT_MODE = 0x0001
W386_VIDEO_MEMORY_HIGH_GRAPHICS = 0x0040

# "WINDOWS VMM 4.0" flag words.
VMM_FULL_SCREEN = 0x0100
VMM_FAST_ROM_EMULATION = 0x0001
VMM_FAST_PASTE = 0x0001
VMM_FONT_RASTER = 0x0004
VMM_FONT_TRUETYPE = 0x0008
VMM_FONT_AUTO_SIZE = 0x0010
VMM_SHOW_TOOLBAR = 0x0002
VMM_WINDOW_NORMAL = 1


class Block:
    """A zero-filled byte block of fixed size with little-endian writers."""

    def __init__(self, size):
        self.data = bytearray(size)

    def _check(self, offset, length):
        assert 0 <= offset and offset + length <= len(self.data), (offset, length)

    def byte(self, offset, value):
        self._check(offset, 1)
        self.data[offset] = value

    def word(self, offset, value):
        self._check(offset, 2)
        struct.pack_into("<H", self.data, offset, value)

    def dword(self, offset, value):
        self._check(offset, 4)
        struct.pack_into("<I", self.data, offset, value)

    def text(self, offset, field_size, value, pad=b"\0", terminated=True):
        raw = value.encode("cp1252")
        limit = field_size - 1 if terminated else field_size
        assert len(raw) <= limit, (value, field_size)
        self._check(offset, field_size)
        self.data[offset:offset + field_size] = raw.ljust(field_size, pad)

    def wide_text(self, offset, field_chars, value):
        raw = value.encode("utf-16-le")
        assert len(raw) <= (field_chars - 1) * 2, (value, field_chars)
        self._check(offset, field_chars * 2)
        self.data[offset:offset + field_chars * 2] = raw.ljust(field_chars * 2, b"\0")

    def bytes(self):
        return bytes(self.data)


def basic_section():
    b = Block(BASIC_SIZE)
    # 0x00 reserved, 0x01 checksum (filled in last).
    b.text(0x02, 30, "", pad=b" ", terminated=False)   # window title, blank-padded
    b.word(0x20, 640)                                   # conventional memory wanted
    b.word(0x22, 128)                                   # conventional memory required
    b.text(0x24, 63, PROGRAM)                           # program path
    b.byte(0x63, BASIC_CLOSE_ON_EXIT)
    b.byte(0x64, 0)                                     # drive index: none
    # 0x65 working folder and 0xA5 parameters stay empty.
    b.byte(0xE5, 0)                                     # video mode
    b.byte(0xE6, 1)                                     # text pages
    b.byte(0xE7, 0x00)                                  # first interrupt used
    b.byte(0xE8, 0xFF)                                  # last interrupt used
    b.byte(0xE9, 25)                                    # rows
    b.byte(0xEA, 80)                                    # columns
    # 0xEB/0xEC window position, 0xED..0x16E shared program: unused.
    # 0x16F program flags: none.
    b.byte(0x01, basic_checksum(b.data))
    return b.bytes()


def basic_checksum(data):
    """Low byte of the sum of bytes 0x02 to 0x170."""
    return sum(data[0x02:BASIC_SIZE]) & 0xFF


def windows_386_section():
    b = Block(0x68)
    b.word(0x00, AS_MUCH_AS_POSSIBLE)   # conventional memory wanted
    b.word(0x02, 128)                   # conventional memory required
    b.word(0x04, 100)                   # foreground priority
    b.word(0x06, 50)                    # background priority
    b.word(0x08, AS_MUCH_AS_POSSIBLE)   # EMS limit
    b.word(0x0A, 0)                     # EMS required
    b.word(0x0C, AS_MUCH_AS_POSSIBLE)   # XMS limit
    b.word(0x0E, 0)                     # XMS required
    b.dword(0x10, W386_FULL_SCREEN | W386_FAST_PASTE)
    b.word(0x14, W386_EMULATE_TEXT_MODE | W386_VIDEO_MEMORY_HIGH_GRAPHICS)
    # 0x18..0x27 shortcut key: none. 0x28 parameters (64 bytes): empty.
    return b.bytes()


def windows_286_section():
    b = Block(6)
    b.word(0x00, AS_MUCH_AS_POSSIBLE)   # XMS limit
    b.word(0x02, 0)                     # XMS required
    b.word(0x04, 0)                     # flags: no direct COM3/COM4, switching allowed
    return b.bytes()


def windows_nt31_section():
    b = Block(0x8C)
    # 0x00 flags (no timer emulation), 0x02..0x0B unknown.
    b.text(0x0C, 64, CONFIG_NT)
    b.text(0x4C, 64, AUTOEXEC_NT)
    return b.bytes()


def windows_nt40_section():
    b = Block(0x68C)
    # Text fields come in pairs, Unicode then ANSI, of the same length in
    # characters. 0x004/0x104 parameters (128): empty. 0x184..0x273 unknown.
    # 0x274/0x314 PIF file name (80) and 0x364/0x3A0 title (30): empty.
    b.wide_text(0x3BE, 80, ICON_FILE)
    b.text(0x45E, 80, ICON_FILE)
    # 0x4AE/0x52E working folder (64): empty. 0x56E..0x68B unknown.
    return b.bytes()


def windows_vmm40_section():
    b = Block(0x1AC)
    # 0x00..0x57 unknown.
    b.text(0x58, 80, ICON_FILE)
    b.word(0xA8, 0)                     # icon number
    b.word(0xAA, 0)                     # warn on exit, screen saver allowed
    b.word(0xB6, 50)                    # idle sensitivity
    b.word(0xB8, VMM_FULL_SCREEN | VMM_FAST_ROM_EMULATION)
    b.word(0xC2, 25)                    # screen lines
    b.word(0xC4, VMM_FAST_PASTE)        # no shortcut keys reserved
    b.word(0xD6, 0)                     # mouse: QuickEdit off, not exclusive
    b.word(0xDE, VMM_FONT_RASTER | VMM_FONT_TRUETYPE | VMM_FONT_AUTO_SIZE)
    # 0xE2 raster font size and 0xE6 current font size: automatic (0).
    b.text(0xEA, 32, RASTER_FONT)
    b.text(0x10A, 32, TRUETYPE_FONT)
    b.word(0x12C, VMM_SHOW_TOOLBAR)
    b.word(0x12E, 0)                    # restore settings on start-up
    b.word(0x130, 80)                   # screen columns
    b.word(0x132, 25)                   # screen rows
    # 0x134 client area and 0x138 window size: let Windows choose.
    b.word(0x140, VMM_WINDOW_NORMAL)
    # 0x142/0x14A window borders: let Windows choose.
    # 0x156 batch file (80 bytes): none. 0x1A6 environment and 0x1A8 DPMI
    # memory: automatic (0).
    return b.bytes()


SECTIONS = [
    ("WINDOWS 386 3.0", windows_386_section, 0x68),
    ("WINDOWS 286 3.0", windows_286_section, 0x06),
    ("WINDOWS NT  3.1", windows_nt31_section, 0x8C),
    ("WINDOWS NT  4.0", windows_nt40_section, 0x68C),
    ("WINDOWS VMM 4.0", windows_vmm40_section, 0x1AC),
]


def heading(name, next_offset, data_offset, data_length):
    raw = name.encode("ascii")
    assert len(raw) < 16, name
    return raw.ljust(16, b"\0") + struct.pack("<HHH", next_offset, data_offset, data_length)


def build():
    bodies = []
    for name, make, size in SECTIONS:
        body = make()
        assert len(body) == size, (name, len(body), size)
        bodies.append((name, body))

    # Each extension heading sits right after the previous section's data.
    heading_offsets = []
    offset = BASIC_SIZE + HEADING_SIZE
    for _, body in bodies:
        heading_offsets.append(offset)
        offset += HEADING_SIZE + len(body)

    out = bytearray(basic_section())
    first = heading_offsets[0] if heading_offsets else END_OF_CHAIN
    out += heading("MICROSOFT PIFEX", first, 0, BASIC_SIZE)
    for i, (name, body) in enumerate(bodies):
        following = heading_offsets[i + 1] if i + 1 < len(bodies) else END_OF_CHAIN
        assert len(out) == heading_offsets[i]
        out += heading(name, following, len(out) + HEADING_SIZE, len(body))
        out += body
    return bytes(out)


def read_chain(data):
    """Walks the headings from 0x171 and returns (name, heading, data offset,
    data length) for each, checking that every offset stays inside the file."""
    found = []
    seen = set()
    at = BASIC_SIZE
    while at != END_OF_CHAIN:
        assert at not in seen, "heading chain loops at 0x%X" % at
        seen.add(at)
        assert at + HEADING_SIZE <= len(data), "heading at 0x%X past the end" % at
        name = data[at:at + 16].split(b"\0", 1)[0].decode("ascii")
        following, start, length = struct.unpack_from("<HHH", data, at + 16)
        assert start + length <= len(data), "%s data past the end" % name
        found.append((name, at, start, length))
        at = following
    return found


def field(data, start, offset, size):
    return data[start + offset:start + offset + size].split(b"\0", 1)[0].decode("cp1252")


def verify(data):
    assert len(data) == FILE_SIZE, "size is %d, not %d" % (len(data), FILE_SIZE)
    chain = read_chain(data)
    names = [c[0] for c in chain]
    assert names == ["MICROSOFT PIFEX"] + [s[0] for s in SECTIONS], names
    assert chain[0][2:] == (0, BASIC_SIZE), chain[0]
    for (name, at, start, length), (_, _, size) in zip(chain[1:], SECTIONS):
        assert start == at + HEADING_SIZE and length == size, (name, start, length)
    # Sections follow each other with no gap; the last one ends the file.
    ends = [at + HEADING_SIZE + length for _, at, _, length in chain[1:]]
    assert [at for _, at, _, _ in chain[2:]] == ends[:-1]
    assert ends[-1] == FILE_SIZE

    assert data[1] == basic_checksum(data), "basic section checksum"
    assert field(data, 0, 0x24, 63) == PROGRAM
    assert data[0x63] & BASIC_CLOSE_ON_EXIT

    sections = {name: start for name, _, start, _ in chain}
    nt31 = sections["WINDOWS NT  3.1"]
    assert field(data, nt31, 0x0C, 64) == CONFIG_NT
    assert field(data, nt31, 0x4C, 64) == AUTOEXEC_NT
    vmm = sections["WINDOWS VMM 4.0"]
    assert field(data, vmm, 0x58, 80) == ICON_FILE
    assert field(data, vmm, 0xEA, 32) == RASTER_FONT
    assert field(data, vmm, 0x10A, 32) == TRUETYPE_FONT
    return chain


def main(argv):
    if len(argv) > 2:
        sys.stderr.write("usage: make_pif.py [output.pif]\n")
        return 2
    target = Path(argv[1]) if len(argv) == 2 else \
        Path(__file__).resolve().parent.parent / "res" / "default.pif"
    data = build()
    chain = verify(data)
    target.parent.mkdir(parents=True, exist_ok=True)
    target.write_bytes(data)
    assert target.read_bytes() == data
    print("%s: %d bytes" % (target, len(data)))
    for name, at, start, length in chain:
        print("  heading 0x%03X  %-16s data 0x%03X  length 0x%03X" % (at, name, start, length))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
