#!/usr/bin/python3
"""Draws one-line faults at random places of the product, puts each in alone,
builds the x86_64 tree, runs the tests that link the changed file, and puts the
file back. Run it through tools/draw_faults.sh, which starts Wine and a display:

    tools/draw_faults.sh --seed 7                  200 faults that build
    tools/draw_faults.sh --seed 7 --resume         go on after a stop
    tools/draw_faults.sh --seed 7 --only F012,F031 again, after a change of the tests
    tools/draw_faults.sh --seed 7 --only missed    every missed one again
    tools/draw_faults.sh --seed 7 --folders data,launch --size 20
    tools/draw_faults.sh --seed 7 --list           the draw only, nothing built
    tools/draw_faults.sh --seed 7 --report         the report again (after judging)

What is drawn, and how: tools/fault_sites.py. The results go to
build/faults/seed-<seed>/ (results.jsonl, one line per fault, and report.md);
the judgements of missed faults are read from tools/faults/judged/seed-<seed>.txt
(see tools/fault_report.py). The draw depends on the seed, the product sources
and the rules: a run goes on (--resume, --only) only while those are unchanged.

Which tests run: those whose executable holds a symbol that only the changed
file's object defines (the product is a static library: only executables that
pulled the object in see the fault); they are rebuilt and run one at a time,
the quickest first, until one fails. end_to_end is never run here: a fault only
it would catch, or one in a file no test links (WinMain.cpp), counts as missed.
Each test gets a time limit (4 times its time on the clean tree, at least 60 s):
a mutation can make a loop endless, and a test stopped at its limit counts as
caught ("timeout").

The changed file is put back whatever happens (Ctrl-C, an error), its object
is deleted so that the next build compiles it again, and the whole tree is
built at the end. A run killed outright leaves build/faults/pending.*: the
next run puts that file back first.
"""
import argparse
import difflib
import fcntl
import json
import os
import pathlib
import random
import re
import signal
import subprocess
import sys
import time

import fault_report
import fault_sites

ROOT = pathlib.Path(__file__).resolve().parent.parent
BUILD = ROOT / "build" / "x86_64"
WORK = ROOT / "build" / "faults"
PENDING = WORK / "pending.json"
NM = "x86_64-w64-mingw32-nm"
MIN_LIMIT, LIMIT_FACTOR = 60, 4
HELD = []


class Stopped(Exception):
    pass


def stop(signum, frame):
    raise Stopped(f"signal {signum}")


def run(cmd, timeout=None, log=None):
    """Runs cmd in the build tree in a session of its own; on a timeout or any
    exception (Ctrl-C too) the whole process group is killed. Returns
    (returncode or None on timeout, output)."""
    proc = subprocess.Popen(cmd, cwd=BUILD, stdout=log or subprocess.PIPE, stderr=subprocess.STDOUT,
                            stdin=subprocess.DEVNULL, text=True, errors="replace", start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out or ""
    except BaseException as e:
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        proc.communicate()
        if isinstance(e, subprocess.TimeoutExpired):
            return None, ""
        raise


def restart_wine():
    """After a test was killed: end what it left in our prefix and start the
    services again as tools/common.sh does (their output to a file, not ours)."""
    prefix = os.environ.get("WINEPREFIX", "")
    with open(prefix + ".server.log", "a") as log:
        subprocess.run(["wineserver", "-k"], stdout=log, stderr=log, stdin=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], stdout=log, stderr=log, stdin=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-p"], stdout=log, stderr=log, stdin=subprocess.DEVNULL)
        subprocess.run(["wineboot"], stdout=log, stderr=log, stdin=subprocess.DEVNULL)


# --- which tests link which file -------------------------------------------

def object_of(rel):
    """The object the x86_64 tree compiles rel into, and its target."""
    found = list((BUILD / "CMakeFiles").glob(f"*.dir/{rel}.obj"))
    if len(found) != 1:
        sys.exit(f"no single object for {rel} in {BUILD} (build the tree first: ./run-tests.sh)")
    return found[0], found[0].relative_to(BUILD / "CMakeFiles").parts[0][: -len(".dir")]


def symbols(path, own_only):
    """Global symbols defined in path; with own_only, only those outside
    COMDAT sections (an inline function or a template may come from anywhere)."""
    out = subprocess.run([NM, "-f", "sysv", "--defined-only", str(path)], capture_output=True, text=True).stdout
    found = set()
    for line in out.split("\n"):
        cols = [c.strip() for c in line.split("|")]
        if len(cols) < 7 or not cols[2].isupper():
            continue
        if own_only and "$" in cols[6]:
            continue
        found.add(cols[0])
    return found


def test_names():
    out = run(["ctest", "-N"])[1]
    return [n for n in re.findall(r"Test\s+#\d+: (\S+)", out) if (BUILD / "tests" / f"{n}.exe").exists()]


def linking_tests(files):
    """{file: [tests whose executable pulled its object in]}, and {file: (object, target)}."""
    objects = {rel: object_of(rel) for rel in files}
    everyone = list(BUILD.glob("**/CMakeFiles/*.dir/**/*.obj"))
    defined = {}
    for obj in everyone:
        for s in symbols(obj, True):
            defined.setdefault(s, []).append(obj)
    exes = {name: symbols(BUILD / "tests" / f"{name}.exe", False) for name in test_names()}
    links = {}
    for rel, (obj, _) in objects.items():
        own = {s for s, where in defined.items() if where == [obj]}
        links[rel] = sorted(name for name, syms in exes.items() if own & syms)
    return links, objects


# --- putting a fault in and taking it out ----------------------------------

def put(rel, text, obj):
    (ROOT / rel).write_bytes(text.encode("latin-1"))
    obj.unlink(missing_ok=True)  # compiled again by the next build, whatever the time stamps say


def restore_pending():
    if not PENDING.exists():
        return
    pending = json.loads(PENDING.read_text())
    original = (WORK / "pending.orig").read_bytes()
    (ROOT / pending["file"]).write_bytes(original)
    pathlib.Path(pending["object"]).unlink(missing_ok=True)
    (WORK / "pending.orig").unlink()
    PENDING.unlink()
    print(f"put back {pending['file']}, left changed by a run that was stopped", file=sys.stderr)


def with_fault(fault, text, obj, work):
    """Puts the fault in, calls work(), and puts the file back whatever happens."""
    (WORK / "pending.orig").write_bytes(text.encode("latin-1"))
    PENDING.write_text(json.dumps({"file": fault.path, "object": str(obj)}))
    try:
        put(fault.path, fault.apply(text), obj)
        return work()
    finally:
        put(fault.path, text, obj)
        (WORK / "pending.orig").unlink()
        PENDING.unlink()


# --- running the tests -----------------------------------------------------

def run_test(name, limit):
    start = time.time()
    code, out = run(["ctest", "-R", f"^{name}$", "--output-on-failure"], timeout=limit)
    if code is None:
        restart_wine()
        return "timeout", time.time() - start
    return ("passed" if code == 0 else "failed"), time.time() - start


def baseline(tests):
    """Each test's time on the clean tree; every one must pass there."""
    code, out = run(["cmake", "--build", ".", "-j", "2"])
    if code != 0:
        sys.exit("the clean tree does not build:\n" + out[-2000:])
    times = {}
    for name in tests:
        result, seconds = run_test(name, 600)
        if result != "passed":
            sys.exit(f"{name} does not pass on the clean tree ({result}): mend that first")
        times[name] = seconds
        print(f"  baseline {name}: {seconds:.0f} s", file=sys.stderr, flush=True)
    return times


def try_fault(fault, text, tests, obj, target, times, all_tests):
    before, after = fault.lines(text)
    record = {"id": fault.id, "file": fault.path, "line": fault.line, "rule": fault.rule,
              "before": before, "after": after, "tests": tests,
              "diff": "".join(difflib.unified_diff(text.splitlines(True), fault.apply(text).splitlines(True),
                                                   f"a/{fault.path}", f"b/{fault.path}", n=2))}

    def work():
        start = time.time()
        code, out = run(["cmake", "--build", ".", "-j", "2", "--target"] + (tests or [target]))
        record["build_seconds"] = round(time.time() - start)
        if code != 0:
            errors = [l for l in out.split("\n") if "error" in l]
            return {"status": "did not build", "detail": (errors or ["?"])[0].replace(f"{ROOT}/", "")[:200]}
        caught, timeouts, ran = [], [], []
        for name in sorted(tests, key=lambda n: times[n]):
            result, _ = run_test(name, max(MIN_LIMIT, LIMIT_FACTOR * times[name]))
            ran.append(name)
            if result == "failed":
                caught.append(name)
            elif result == "timeout":
                timeouts.append(name)
            if (caught or timeouts) and not all_tests:
                break
        record["ran"] = ran
        if caught:
            return {"status": "caught", "caught_by": caught + [t + " (timeout)" for t in timeouts]}
        if timeouts:
            return {"status": "timeout", "caught_by": [t + " (timeout)" for t in timeouts]}
        return {"status": "missed", "caught_by": [] if tests else ["no test links this file"]}

    start = time.time()
    record.update(with_fault(fault, text, obj, work))
    record["seconds"] = round(time.time() - start)
    return record


# --- the run -----------------------------------------------------------------

def options():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--seed", type=int, required=True)
    ap.add_argument("--size", type=int, default=200, help="faults that build (default 200)")
    ap.add_argument("--folders", help="only these product folders, comma-separated")
    ap.add_argument("--out", help="results folder (default build/faults/seed-<seed>[-folders])")
    ap.add_argument("--judged", help="judgements file (default tools/faults/judged/<results folder name>.txt)")
    ap.add_argument("--resume", action="store_true", help="go on with an interrupted run")
    ap.add_argument("--fresh", action="store_true", help="throw away earlier results of this seed")
    ap.add_argument("--only", help="fault ids to run again (comma-separated), or 'missed'")
    ap.add_argument("--all-tests", action="store_true", help="run every linking test, not only up to the first failure")
    ap.add_argument("--list", action="store_true", help="print the draw without building")
    ap.add_argument("--report", action="store_true", help="write the report from the results and judgements only")
    return ap.parse_args()


def take_tree():
    """One run at a time changes this tree; a file a killed run left changed is put back."""
    WORK.mkdir(parents=True, exist_ok=True)
    lock = open(WORK / "lock", "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except BlockingIOError:
        sys.exit("another draw_faults run is working in this tree (and has a fault in a source file now)")
    HELD.append(lock)  # until the process ends
    restore_pending()


def check_state(args, out, state):
    state_file = out / "state.json"
    if state_file.exists():
        old = json.loads(state_file.read_text())
        if args.fresh:
            (out / "results.jsonl").unlink(missing_ok=True)
        elif not (args.resume or args.only):
            sys.exit(f"{out} holds a run of this seed: --resume it, --only some faults, or start --fresh")
        elif old["fingerprint"] != state["fingerprint"]:
            sys.exit(f"the product sources or the rules changed since {out} was drawn: "
                     "its ids name other faults now (start --fresh, or use another --out)")
        if args.only:
            state["size"] = old["size"]
    elif args.resume or args.only:
        sys.exit(f"nothing to go on with in {out}")
    out.mkdir(parents=True, exist_ok=True)
    state["commit"] = subprocess.run(["git", "describe", "--always", "--dirty"], cwd=ROOT,
                                     capture_output=True, text=True).stdout.strip()
    state_file.write_text(json.dumps(state, indent=1))


def chosen_faults(args, drawn, done):
    """The faults --only names, in drawn order."""
    if args.only == "missed":
        wanted = {r["id"] for r in done.values() if r["status"] == "missed"}
    else:
        wanted = set(args.only.split(","))
        if not all(re.fullmatch(r"F\d+", w) for w in wanted):
            sys.exit("--only takes fault ids such as F012,F031, or 'missed'")
    last = max((int(w[1:]) for w in wanted), default=0)
    faults = [f for f, _ in zip(drawn, range(last)) if f.id in wanted]
    if len(faults) != len(wanted):
        sys.exit("this draw has fewer faults than --only names")
    return faults


def main():
    args = options()
    for s in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(s, stop)
    signal.signal(signal.SIGINT, signal.default_int_handler)  # also when started with SIGINT ignored
    folders = fault_sites.product_folders(ROOT)
    if args.folders:
        chosen = args.folders.split(",")
        unknown = set(chosen) - set(folders)
        if unknown:
            sys.exit(f"not a product folder: {', '.join(sorted(unknown))} (they are: {' '.join(folders)})")
        folders = [f for f in folders if f in chosen]
    name = f"seed-{args.seed}" + (f"-{'+'.join(folders)}" if args.folders else "")
    out = pathlib.Path(args.out) if args.out else WORK / name
    judged = pathlib.Path(args.judged) if args.judged else ROOT / "tools" / "faults" / "judged" / f"{name}.txt"
    if args.report:
        fault_report.write(out, judged)
        print((out / "report.md").read_text())
        return
    take_tree()

    files = fault_sites.source_files(ROOT, folders)
    places = fault_sites.pool(ROOT, files)
    state = {"seed": args.seed, "size": args.size, "folders": folders,
             "fingerprint": fault_sites.fingerprint(ROOT, files),
             "lines": len(places), "sites": sum(len(s) for r in places.values() for s in r.values())}
    drawn = fault_sites.draw(places, random.Random(args.seed))
    texts = {rel: fault_sites.read(ROOT, rel) for rel in files}
    if args.list:
        for fault, _ in zip(drawn, range(args.size)):
            before, after = fault.lines(texts[fault.path])
            print(f"{fault.id} {fault.path}:{fault.line} {fault.rule}\n  - {before.strip()}\n  + {after.strip()}")
        return

    check_state(args, out, state)
    results = out / "results.jsonl"
    done = fault_report.load(results)
    links, objects = linking_tests(files)
    if args.only:
        drawn = chosen_faults(args, drawn, done)
        needed = sorted({t for f in drawn for t in links[f.path]})
    else:
        needed = sorted({t for rel in files for t in links[rel]})
    print(f"{state['lines']} lines with {state['sites']} sites in {len(files)} files; "
          f"tests: {' '.join(needed)}", file=sys.stderr)
    try:
        times = baseline(needed)
        built = sum(r["status"] != "did not build" for r in done.values())
        for fault in drawn:
            if not args.only and fault.id in done:
                continue
            if not args.only and built >= state["size"]:
                break
            obj, target = objects[fault.path]
            record = try_fault(fault, texts[fault.path], links[fault.path], obj, target, times, args.all_tests)
            built += record["status"] != "did not build"
            done[fault.id] = record
            fault_report.save(results, done)
            fault_report.write(out, judged)
            print(f"{fault.id} {fault.path}:{fault.line} {fault.rule}: {record['status']} "
                  f"{' '.join(record.get('caught_by', []))} ({record['seconds']} s)", file=sys.stderr, flush=True)
    except (KeyboardInterrupt, Stopped) as e:
        sys.exit(f"stopped ({str(e) or 'Ctrl-C'}); the file is back and the tree built again: go on with --resume")
    finally:
        restore_pending()
        print("building the clean tree again", file=sys.stderr, flush=True)
        try:
            code, output = run(["cmake", "--build", ".", "-j", "2"])
            if code != 0:
                print(output[-2000:], file=sys.stderr)
        except (KeyboardInterrupt, Stopped):
            print("the last build was stopped: the sources are clean, build the tree again", file=sys.stderr)
    fault_report.write(out, judged)
    print((out / "report.md").read_text())


if __name__ == "__main__":
    main()
