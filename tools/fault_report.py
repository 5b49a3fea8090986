"""The results of a draw_faults.py run and its report.

results.jsonl holds one line per drawn fault (also those that did not build),
rewritten after each fault. report.md is made from it and from the judgements
file, a text file with one line per judged missed fault:

    # seed 7: missed faults judged by hand
    F012 equivalent: the buffer is one byte longer than anything written into it
    F031 gap: nothing checks the column widths saved after a reset

"equivalent" means no behaviour a user could see changes (for instance a value
no caller can observe): the fault is listed apart and left out of the
fraction. "gap" is a real gap the tests leave, with a word on what is
untested; it stays in the fraction as missed. Judgements of faults that were
caught are reported as not fitting and ignored.
"""
import json
import pathlib
import re


def load(results):
    done = {}
    if results.exists():
        for line in results.read_text().split("\n"):
            if line.strip():
                record = json.loads(line)
                done[record["id"]] = record
    return done


def save(results, done):
    tmp = results.with_suffix(".tmp")
    tmp.write_text("".join(json.dumps(done[k]) + "\n" for k in sorted(done)))
    tmp.replace(results)


def judgements(path):
    found = {}
    if path.exists():
        for n, line in enumerate(path.read_text().split("\n"), 1):
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            m = re.match(r"\s*(F\d+)\s+(equivalent|gap)\b\s*:?\s*(.*)", line)
            if not m:
                raise SystemExit(f"{path}:{n}: expected 'F012 equivalent: why' or 'F012 gap: what is untested'")
            if m.group(1) in found:
                raise SystemExit(f"{path}:{n}: {m.group(1)} is judged twice")
            found[m.group(1)] = (m.group(2), m.group(3).strip())
    return found


def cell(text):
    code = " ".join(part.strip() for part in text.split("\n")).replace("`", "'").replace("|", "\\|")
    return f"`{code}`" if code else ""


def shown(path):
    root = pathlib.Path(__file__).resolve().parent.parent
    path = path.resolve()
    return str(path.relative_to(root)) if path.is_relative_to(root) else str(path)


def minutes(seconds):
    return f"{seconds // 60:.0f} min {seconds % 60:02.0f} s"


def breakdown(built, caught, equivalent):
    """Caught of counted per rule and per folder, in one line each."""
    lines = []
    for title, key in (("rule", lambda r: r["rule"]), ("folder", lambda r: r["file"].split("/")[0])):
        parts = []
        for k in sorted({key(r) for r in built}):
            n = sum(key(r) == k for r in built) - sum(key(r) == k for r in equivalent)
            parts.append(f"{k} {sum(key(r) == k for r in caught)}/{n}")
        lines.append(f"- Caught by {title}: " + ", ".join(parts) + ".")
    return lines


def write(out, judged_path):
    state = json.loads((out / "state.json").read_text())
    done = load(out / "results.jsonl")
    judged = judgements(judged_path)
    rows = [done[k] for k in sorted(done)]
    built = [r for r in rows if r["status"] != "did not build"]
    caught = [r for r in built if r["status"] in ("caught", "timeout")]
    timeouts = [r for r in built if r["status"] == "timeout"]
    missed = [r for r in built if r["status"] == "missed"]
    equivalent = [r for r in missed if judged.get(r["id"], ("",))[0] == "equivalent"]
    gaps = [r for r in missed if judged.get(r["id"], ("",))[0] == "gap"]
    open_ = [r for r in missed if r["id"] not in judged]
    unlinked = [r for r in missed if not r["tests"]]
    counted = len(built) - len(equivalent)
    misfits = [f"- {k} is judged {v[0]} but {done[k]['status'] if k in done else 'was not drawn or run'}: ignored"
               for k, v in sorted(judged.items()) if k not in done or done[k]["status"] != "missed"]
    seconds = sum(r.get("seconds", 0) for r in rows)

    lines = [f"# Drawn faults: seed {state['seed']}", "",
             f"Drawn over {' '.join(state['folders'])} ({state['lines']} lines with {state['sites']} sites); "
             f"sources and rules {state['fingerprint']}, tree {state.get('commit', '?')}. "
             f"Judgements: {shown(judged_path)}{'' if judged_path.exists() else ' (none yet)'}.", "",
             f"- Faults that build: {len(built)} (of {state['size']} asked). Drawn but did not build, each "
             f"replaced by the next draw: {len(rows) - len(built)}.",
             f"- Caught: {len(caught)}, of them {len(timeouts)} by a test's time limit (a timeout counts as caught).",
             f"- Missed: {len(missed)}: {len(equivalent)} judged equivalent, {len(gaps)} judged real gaps, "
             f"{len(open_)} not judged yet; {len(unlinked)} in a file no test links (only end_to_end, which "
             "is not run here, could catch those).",
             f"- Fraction caught: {len(caught)} of {counted} (faults that build, less the equivalent ones)"
             + (f" = {100 * len(caught) / counted:.1f}%" if counted else "") + ".",
             f"- Time: {minutes(seconds / max(1, len(rows)))} per drawn fault (building "
             f"{minutes(sum(r.get('build_seconds', 0) for r in rows) / max(1, len(rows)))}), "
             f"{seconds / 3600:.1f} h in all.", ""] + breakdown(built, caught, equivalent) + ["",
             "| id | place | rule | before | after | result | caught by |",
             "|---|---|---|---|---|---|---|"]
    for r in rows:
        result = r["status"]
        if r["id"] in judged and result == "missed":
            result += f" ({judged[r['id']][0]})"
        by = ", ".join(r.get("caught_by", [])) or (r.get("detail", "") if result == "did not build" else "")
        lines.append(f"| {r['id']} | {r['file']}:{r['line']} | {r['rule']} | {cell(r['before'])} | "
                     f"{cell(r['after'])} | {result} | {by.replace('|', '/')} |")

    def section(title, records, with_reason):
        if not records:
            return
        lines.extend(["", f"## {title}"])
        for r in records:
            lines.extend(["", f"### {r['id']} {r['file']}:{r['line']} ({r['rule']})"])
            if with_reason:
                lines.extend(["", judged[r["id"]][1]])
            lines.extend(["", f"Tests run: {', '.join(r.get('ran', [])) or 'none (no test links the file)'}",
                          "", "```diff", r["diff"].rstrip("\n"), "```"])

    section("Missed, not judged yet", open_, False)
    section("Judged real gaps", gaps, True)
    section("Judged equivalent (left out of the fraction)", equivalent, True)
    if misfits:
        lines.extend(["", "## Judgements that do not fit", ""] + misfits)
    (out / "report.md").write_text("\n".join(lines) + "\n")
