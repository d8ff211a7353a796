#!/usr/bin/env python3
"""Mutation run: each mutant of the list is applied to a scratch copy of the project, built, and the whole
suite run on it; a mutant is caught when a test fails. Prints each mutant's outcome and the score.

The list (tests/mutants.txt) holds one mutant a line: file, exact text, replacement and a note of the fault
it imitates, separated by tabs; in the text and replacement \\t is a tab, \\n a line break, \\\\ a
backslash. Lines starting with # are comments.

The scratch copy is built without sanitizers, for speed, and the test of the install (which builds a copy of
its own) is left out: see docs/testing.md.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

PROJECT = Path(__file__).resolve().parent.parent
LEFT_OUT = "install_and_package"  # builds and installs a copy of the project itself: minutes a mutant
TEST_TIMEOUT = 120  # seconds a test may take before a mutant that hangs it counts as caught


@dataclass
class Mutant:
    line: int
    file: str
    text: str
    replacement: str
    note: str
    outcome: str = ""
    caught_by: list = field(default_factory=list)


def unescape(value: str) -> str:
    return re.sub(r"\\(.)", lambda m: {"t": "\t", "n": "\n", "\\": "\\"}.get(m.group(1), m.group(0)), value)


def read_list(path: Path) -> list:
    mutants = []
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), start=1):
        if not raw.strip() or raw.startswith("#"):
            continue
        fields = raw.split("\t")
        if len(fields) != 4:
            sys.exit(f"{path}:{number}: expected file, text, replacement and note separated by tabs")
        mutants.append(Mutant(number, fields[0], unescape(fields[1]), unescape(fields[2]), fields[3]))
    return mutants


def run(command: list, cwd: Path, timeout=None) -> subprocess.CompletedProcess:
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    return subprocess.run(command, cwd=cwd, env=env, text=True, errors="replace", stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, timeout=timeout)


def copy_project(source: Path, scratch: Path) -> None:
    # Fresh times: a run stopped midway may have left a mutant's objects newer than the file's own time.
    if scratch.exists():
        shutil.rmtree(scratch)
    shutil.copytree(source, scratch, symlinks=True, ignore=shutil.ignore_patterns("build", ".git"),
                    copy_function=shutil.copy)


def configure(scratch: Path, build: Path, jobs: int) -> None:
    command = ["cmake", "-S", str(scratch), "-B", str(build), "-DCMAKE_BUILD_TYPE=Debug",
               "-DORVELLA_SANITIZE=OFF", "-DORVELLA_TESTS=ON"]
    if shutil.which("ccache"):
        command += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
    for step in (command, ["cmake", "--build", str(build), "-j", str(jobs)]):
        result = run(step, scratch)
        if result.returncode != 0:
            sys.exit(result.stdout[-4000:] + "\nThe project as it stands does not build.")


def builds(build: Path, jobs: int) -> bool:
    return run(["cmake", "--build", str(build), "-j", str(jobs)], build).returncode == 0


def failing_tests(build: Path, jobs: int) -> list:
    """Runs the suite; the tests that failed, each with the test functions (and rows) that said so."""
    result = run(["ctest", "-j", str(jobs), "-E", LEFT_OUT, "--timeout", str(TEST_TIMEOUT),
                  "--output-on-failure"], build)
    if result.returncode == 0:
        return []
    failed = re.findall(r"^\s*\d+ - (\S+) \(", result.stdout, re.MULTILINE)
    cases = set(re.findall(r"^FAIL!  : \w+::(\w+\(.*?\))", result.stdout, re.MULTILINE))
    cases |= set(re.findall(r"^\[  FAILED  \] (\w+\.\w+(?:/\w+)?)", result.stdout, re.MULTILINE))
    return failed + sorted(cases) if failed else ["the suite (" + result.stdout[-300:].strip() + ")"]


def try_mutant(mutant: Mutant, scratch: Path, build: Path, jobs: int) -> None:
    path = scratch / mutant.file
    original = path.read_text(encoding="utf-8") if path.exists() else ""
    count = original.count(mutant.text)
    if count != 1:
        mutant.outcome = "stale" if count == 0 else f"ambiguous ({count} places)"
        return
    path.write_text(original.replace(mutant.text, mutant.replacement), encoding="utf-8")
    try:
        if not builds(build, jobs):
            mutant.outcome = "does not build"
            return
        mutant.caught_by = failing_tests(build, jobs)
        mutant.outcome = "caught" if mutant.caught_by else "survived"
    finally:
        path.write_text(original, encoding="utf-8")


def report(mutant: Mutant, index: int, total: int, seconds: float) -> str:
    line = f"[{index}/{total}] {mutant.outcome.upper()} {mutant.file} (list line {mutant.line}): {mutant.note}"
    if mutant.caught_by:
        line += "\n        by " + ", ".join(mutant.caught_by)
    return line + f"  [{seconds:.0f} s]"


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", type=Path, default=PROJECT, help="the checkout to mutate")
    parser.add_argument("--list", type=Path, default=PROJECT / "tests" / "mutants.txt")
    parser.add_argument("--work", type=Path, default=PROJECT / "build" / "mutants",
                        help="where the scratch copy, its build and the result go")
    parser.add_argument("--only", default="", help="run the mutants whose file or note matches this pattern")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    options = parser.parse_args()

    mutants = [m for m in read_list(options.list.resolve())
               if re.search(options.only, m.file + " " + m.note)]
    work = options.work.resolve()
    scratch, build = work / "source", work / "build"
    copy_project(options.source.resolve(), scratch)
    configure(scratch, build, options.jobs)
    started = time.monotonic()
    if failing_tests(build, options.jobs):
        sys.exit("The suite fails on the project as it stands: mend that first.")
    suite_seconds = time.monotonic() - started
    print(f"The suite passes on the project as it stands in {suite_seconds:.0f} s; {len(mutants)} mutants.")

    with open(work / "result.txt", "w", encoding="utf-8") as result:
        for index, mutant in enumerate(mutants, start=1):
            began = time.monotonic()
            try_mutant(mutant, scratch, build, options.jobs)
            line = report(mutant, index, len(mutants), time.monotonic() - began)
            print(line, flush=True)
            result.write(line + "\n")
            result.flush()
        counted = [m for m in mutants if m.outcome != "does not build"]
        caught = sum(m.outcome == "caught" for m in counted)
        summary = (f"\nScore: {caught} of {len(counted)} caught"
                   f" ({100 * caught / max(len(counted), 1):.0f} %); stale and ambiguous count as survived."
                   f"\nNot built: {len(mutants) - len(counted)}. Suite: {suite_seconds:.0f} s."
                   f" Whole run: {(time.monotonic() - started) / 60:.0f} min.")
        for m in mutants:
            if m.outcome != "caught":
                summary += f"\n  {m.outcome}: {m.file} (list line {m.line}): {m.note}"
        print(summary)
        result.write(summary + "\n")


if __name__ == "__main__":
    main()
