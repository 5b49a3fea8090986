#!/usr/bin/python3
"""Puts one-line faults into the product one at a time and reports which test
catches each. Run through tools/try_faults.sh, which starts Wine and a display:

    tools/try_faults.sh tools/faults/*.txt
    QL_FAULTS="M03 D07" tools/try_faults.sh tools/faults/*.txt   (some of them)

The list file holds one block per fault:

    ## F01 tests: test_game_list|test_menu
    file: mainwnd/GameList.cpp
    - if (count < limit) {
    + if (count <= limit) {

"-" is a text that occurs exactly once in the file (leading blanks ignored),
"+" what it becomes. Each fault is put in, the x86_64 tree is built, the
named tests run, and the file is put back, whatever happens.

Only the test executables that the regex names are rebuilt (everything when it
names a test that is not one, such as end_to_end): a test that starts the real
Quillon.exe sees a fault only through end_to_end. A run stopped while it builds
may leave an object built with the fault: touch the file and build again.
"""
import os
import pathlib
import re
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
BUILD = ROOT / "build" / "x86_64"


def parse(text):
    faults = []
    for block in re.split(r"^## ", text, flags=re.M)[1:]:
        lines = block.rstrip("\n").split("\n")
        head = re.match(r"(\S+)\s+tests:\s*(\S+)\s*(.*)", lines[0])
        if not head:
            sys.exit(f"bad fault heading: {lines[0]!r}")
        fault = {"id": head.group(1), "tests": head.group(2), "what": head.group(3).strip()}
        for line in lines[1:]:
            if line.startswith("file: "):
                fault["file"] = line[6:].strip()
            elif line.startswith("- "):
                fault["old"] = line[2:].strip()
            elif line.startswith("+ "):
                fault["new"] = line[2:].strip()
        if not {"file", "old", "new"} <= fault.keys():
            sys.exit(f"fault {fault['id']} needs file:, - and + lines")
        faults.append(fault)
    return faults


def run(cmd, **kw):
    return subprocess.run(cmd, cwd=BUILD, capture_output=True, text=True, **kw)


def failing_tests(output):
    # ctest ends with "The following tests FAILED:" and one "  12 - name (Failed)" per test.
    return re.findall(r"^\s*\d+ - (\S+) \(", output, flags=re.M)


def targets_of(regex):
    """The executables of the tests that the regex names, or [] (everything)
    when it names a test that is not a test executable of its own."""
    listing = run(["ctest", "-N", "-R", regex]).stdout
    names = re.findall(r"Test\s+#\d+: (\S+)", listing)
    if not names or any(not n.startswith("test_") for n in names):
        return []
    return ["--target"] + names


def try_fault(fault):
    path = ROOT / fault["file"]
    original = path.read_text(encoding="latin-1")
    hits = [i for i, l in enumerate(original.split("\n")) if l.strip() == fault["old"]]
    if len(hits) != 1:
        return "not applied", f"'-' line found {len(hits)} times"
    lines = original.split("\n")
    indent = lines[hits[0]][: len(lines[hits[0]]) - len(lines[hits[0]].lstrip())]
    lines[hits[0]] = indent + fault["new"]
    try:
        path.write_text("\n".join(lines), encoding="latin-1")
        build = run(["cmake", "--build", ".", "-j", "2"] + targets_of(fault["tests"]))
        if build.returncode != 0:
            return "does not build", build.stdout[-400:] + build.stderr[-400:]
        test = run(["ctest", "--timeout", "600", "-R", fault["tests"]])
        if test.returncode == 0:
            return "MISSED", ""
        return "caught", ", ".join(failing_tests(test.stdout)) or "failed"
    finally:
        path.write_text(original, encoding="latin-1")


def main():
    if len(sys.argv) < 2:
        sys.exit("usage: try_faults.py FAULT_LIST...")
    faults = [f for name in sys.argv[1:] for f in parse(pathlib.Path(name).read_text())]
    only = os.environ.get("QL_FAULTS")  # e.g. QL_FAULTS="M03 D07": just these
    if only:
        faults = [f for f in faults if f["id"] in only.split()]
    caught = 0
    print("| fault | file | what | result | caught by |")
    print("|---|---|---|---|---|")
    for fault in faults:
        start = time.time()
        result, detail = try_fault(fault)
        caught += result == "caught"
        print(f"| {fault['id']} | {fault['file']} | {fault['what']} | {result} | {detail} |", flush=True)
        print(f"  ({time.time() - start:.0f} s)", file=sys.stderr, flush=True)
    # The tree is built again without any fault, so it is left as it was.
    run(["cmake", "--build", ".", "-j", "2"])
    print(f"\n{caught} of {len(faults)} faults caught ({100 * caught // max(1, len(faults))}%)")


if __name__ == "__main__":
    main()
