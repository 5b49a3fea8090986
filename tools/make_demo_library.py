#!/usr/bin/env python3
"""Writes the sample game files of the bundled demo library into demo/Games.

Each is an 11164-byte game record followed by its preview picture from
demo/Images. The games live in C:\\DemoGames\\<folder> once run-demo.sh has
installed them. Run: python3 tools/make_demo_library.py (deterministic output).
"""
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RECORD = 11164


def text(buf, offset, size, value):
    data = value.encode("cp1252")[: size - 1]
    buf[offset : offset + size] = data + b"\0" * (size - len(data))


def record(title, publisher, category, path, command, **extra):
    r = bytearray(RECORD)
    r[0:8] = b"QUILGAME"
    struct.pack_into("<HH", r, 8, 0, 7)
    text(r, 12, 260, title)
    text(r, 272, 260, publisher)
    text(r, 532, 260, category)
    text(r, 792, 260, path)
    text(r, 1052, 260, command)
    text(r, 1312, 260, extra.get("setup", ""))
    text(r, 1572, 260, extra.get("document", ""))
    text(r, 2352, 1024, extra.get("comment", "no comment"))
    text(r, 3376, 260, extra.get("web", ""))
    for i, (name, param) in enumerate(extra.get("sound", [])):
        text(r, 4400 + 260 * i, 260, name)
        text(r, 7000 + 32 * i, 32, param)
    for i, (name, param) in enumerate(extra.get("music", [])):
        text(r, 7320 + 260 * i, 260, name)
        text(r, 9920 + 32 * i, 32, param)
    displays = extra.get("displays", {})
    for name, offset in (("VESA", 10400), ("VGA", 10432), ("EGA", 10464), ("MCGA", 10496), ("CGA", 10528), ("TANDY", 10560)):
        text(r, offset, 32, displays.get(name, ""))
    struct.pack_into("<iii", r, 10592, extra.get("selsound", -1), extra.get("selmusic", -1), extra.get("seldisplay", -1))
    struct.pack_into("<iiiii", r, 10604, 0, 0, 0, 0, extra.get("options", 3))
    run_with = extra.get("run_with", 0)  # 1 Windows, 2 DOSBox: tag "RUN_" at 3636
    if run_with:
        r[3636:3640] = b"RUN_"
        struct.pack_into("<i", r, 3640, run_with)
    text(r, 10628, 260, command)
    r[11160:11164] = b"BMP_"
    return r


GAMES = [
    ("Star Maze", "Quillon Demo Works", "Arcade", r"C:\DemoGames\StarMaze", "STARMAZE.EXE", "StarMaze.bmp",
     dict(comment="Steer through the maze of stars.\r\nA demo game of the bundled library.")),
    ("Cave Runner", "Quillon Demo Works", "Platform", r"C:\DemoGames\CaveRun", "CAVERUN.EXE", "CaveRunner.bmp",
     dict(comment="Jump and run through the caves.", document="README.TXT")),
    ("Pixel Pinball", "Epic MegaGames", "Pinball", r"C:\DemoGames\Pinball", "PINBALL.EXE", "PixelPinball.bmp",
     dict(options=1)),
    ("Tank Duel", "Quillon Demo Works", "Action", r"C:\DemoGames\TankDuel", "TANKDUEL.EXE", "TankDuel.bmp",
     dict(setup="(Parameters)", seldisplay=2, selsound=1, selmusic=0,
          displays={"VGA": "/vga", "EGA": "/ega", "CGA": "/cga"},
          sound=[("Sound Blaster", "/sb"), ("Sound Blaster 16", "/sb16")],
          music=[("AdLib", "/adlib"), ("Roland MT-32", "/mt32")],
          comment="Starts with its device parameters: /vga /sb16 /adlib")),
    ("Rainbow", "Quillon Demo Works", "Arcade", r"C:\DemoGames\Rainbow", "RAINBOW.COM", None,
     dict(comment="A real DOS game: colours flowing over a VGA screen.\r\n"
                  "On 64-bit Windows it runs in DOSBox.")),
    ("Sound Check", "Quillon Demo Works", "Educational", r"C:\DemoGames\Sound Check", "SOUNDCHK.COM", None,
     dict(setup="(Parameters)", seldisplay=2, selsound=1, selmusic=1,
          displays={"VGA": "/vga", "EGA": "/ega"},
          sound=[("Sound Blaster", "/sb"), ("Sound Blaster 16", "/sb16"), ("No Sound", "/nosound")],
          music=[("AdLib", "/adlib"), ("General MIDI", "/mpu")],
          comment="A real DOS game that shows how it was started: its parameters, its folder and BLASTER.\r\n"
                  "It writes them into MARKER.TXT in its folder too.")),
    ("Blaster Pro", "Quillon Demo Works", "Educational", r"C:\DemoGames\BlastPro", "BLASTPRO.COM", None,
     dict(setup="(Parameters)", selsound=1,
          sound=[("Sound Blaster Pro", "/sbpro"), ("Gravis UltraSound", "/gus")],
          comment="A real DOS game with its own DIG.INI: a Sound Blaster Pro at 240, IRQ 5, DMA 3.\r\n"
                  "Its parameter set says Gravis UltraSound; DOSBox follows DIG.INI. It shows the BLASTER it\r\n"
                  "finds and writes it into MARKER.TXT in its folder.")),
    ("Ultra Check", "Quillon Demo Works", "Educational", r"C:\DemoGames\UltraChk", "ULTRACHK.COM", None,
     dict(comment="A real DOS game whose HMISET.CFG chose a Gravis UltraSound at 260, IRQ 11, DMA 7.\r\n"
                  "It shows the ULTRASND it finds and writes it into MARKER.TXT in its folder.")),
    ("Lost Kingdom", "Sierra On-Line", "Adventure", r"C:\Games\LOSTKING", "KING.EXE", None,
     dict(comment="Its folder is not on this disk: the list marks it.")),
]


def main():
    out = os.path.join(ROOT, "demo", "Games")
    os.makedirs(out, exist_ok=True)
    for title, publisher, category, path, command, picture, extra in GAMES:
        r = record(title, publisher, category, path, command, **extra)
        pic = b""
        if picture:
            with open(os.path.join(ROOT, "demo", "Images", picture), "rb") as f:
                pic = f.read()
        struct.pack_into("<I", r, 11156, len(pic))
        with open(os.path.join(out, title + ".qgf"), "wb") as f:
            f.write(bytes(r) + pic)


if __name__ == "__main__":
    main()
