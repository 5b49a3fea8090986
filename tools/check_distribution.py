#!/usr/bin/python3
"""Checks what a player downloads: the zip of the program folder, the installer
beside it, and the starting Data.ini that both carry.

    check_distribution.py RELEASE_DIR SOURCE_DIR

RELEASE_DIR is the i686 build tree (QuillonLoader.zip, QuillonLoaderSetup.exe).
"""
import configparser
import re
import subprocess
import sys
import zipfile
from pathlib import Path

CAPACITY = {"Categories": 24, "Publishers": 128, "Sound Devices": 64, "Music Devices": 64}
# The game settings dialog offers only the first 32 devices of a list.
OFFERED_DEVICES = 32
RECORD_SIZE = 11164

failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


def read_data_ini(text):
    ini = configparser.ConfigParser(interpolation=None, strict=True)
    ini.optionxform = str
    ini.read_string(text)
    return ini


def check_data_ini(ini):
    for section, capacity in CAPACITY.items():
        check(ini.has_section(section), f"Data.ini has [{section}]")
        if not ini.has_section(section):
            continue
        keys = list(ini[section].keys())
        valid = [k for k in keys if re.fullmatch(r"\d{2,3}", k) and int(k) < capacity and k == "%02d" % int(k)]
        check(valid == keys, f"[{section}] keys are slot numbers below {capacity}: {keys}")
        values = [v.strip() for v in ini[section].values()]
        check(all(values) and all(len(v) < 260 for v in values), f"[{section}] has no empty or overlong entry")
        check(len(values) >= 5, f"[{section}] gives a useful starting set ({len(values)} entries)")
        if section.endswith("Devices"):
            check(all(int(k) < OFFERED_DEVICES for k in keys), f"[{section}] is offered whole by the settings dialog")
    check(ini.get("Misc", "VDMSoundWeb", fallback="").startswith("http"), "Data.ini names the VDMSound page")


def game_fields(data):
    """Title, publisher and category of a game file: its first zero-filled texts."""
    texts = [t.decode("cp1252") for t in data[:2048].split(b"\0") if t]
    return texts[2], texts[3], texts[4]


def main():
    release, source = Path(sys.argv[1]), Path(sys.argv[2])
    zip_path = release / "QuillonLoader.zip"
    setup = release / "QuillonLoaderSetup.exe"
    check(zip_path.is_file(), f"{zip_path.name} is built")
    check(setup.is_file() and setup.read_bytes()[:2] == b"MZ", f"{setup.name} is built")
    if setup.is_file():
        # The installer must start on Windows 95 and NT 4 as the program does.
        header = subprocess.run(["i686-w64-mingw32-objdump", "-p", str(setup)], capture_output=True, text=True).stdout
        fields = dict(re.findall(r"^(Magic|Major\w*Version)\s+(\S+)", header, re.M))
        check(fields.get("Magic") == "010b" and fields.get("MajorOSystemVersion") == "4" and
              fields.get("MajorSubsystemVersion") == "4", f"the installer is a 32-bit image for Windows 4.0: {fields}")
    if not zip_path.is_file():
        return 1
    with zipfile.ZipFile(zip_path) as z:
        names = set(n for n in z.namelist() if not n.endswith("/"))
        top = "Quillon Loader/"
        for f in ["Quillon.exe", "Quillon.chm", "Data.ini", "ReadMe.txt"]:
            check(top + f in names, f"the zip holds {top}{f}")
        check(all(n.startswith(top) for n in names), "everything in the zip is inside the program folder")
        demo_games = sorted(p.name for p in (source / "demo/Games").glob("*.qgf"))
        demo_images = sorted(p.name for p in (source / "demo/Images").glob("*.bmp"))
        games = sorted(n[len(top + "Games/"):] for n in names if n.startswith(top + "Games/"))
        images = sorted(n[len(top + "Images/"):] for n in names if n.startswith(top + "Images/"))
        check(games == demo_games and games, f"the zip's Games folder holds the sample games: {games}")
        check(images == demo_images and images, f"the zip's Images folder holds their pictures: {images}")
        exe = z.read(top + "Quillon.exe")
        check(exe[:2] == b"MZ" and b"PE\0\0\x4c\x01" in exe[:1024], "the zip's Quillon.exe is the i686 program")
        readme = z.read(top + "ReadMe.txt")
        check(b"\r\n" in readme and b"\n" not in readme.replace(b"\r\n", b""), "ReadMe.txt has Windows line ends")
        check(all(b < 128 for b in readme), "ReadMe.txt is plain ASCII")
        ini = read_data_ini(z.read(top + "Data.ini").decode("cp1252"))
        check_data_ini(ini)
        # The sample games' publishers and categories are among the choices.
        publishers = set(ini["Publishers"].values()) if ini.has_section("Publishers") else set()
        categories = set(ini["Categories"].values()) if ini.has_section("Categories") else set()
        for name in games:
            data = z.read(top + "Games/" + name)
            check(len(data) >= RECORD_SIZE, f"{name} holds a whole game record")
            title, publisher, category = game_fields(data)
            check(publisher in publishers, f"{title}: publisher '{publisher}' is in Data.ini")
            check(category in categories, f"{title}: category '{category}' is in Data.ini")
    print("distribution: %d failure(s)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
