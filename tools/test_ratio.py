#!/usr/bin/env python3
"""Prints the size of the tests against the code they test, in non-blank
lines of C and C++, and fails when the tests pass 40% of it.

    test_ratio.py [REPO_ROOT]
"""
import pathlib
import sys

LIMIT = 0.40
CODE_FOLDERS = ["support", "grid", "records", "view", "edit", "odbc", "control", "exports", "include", "demo"]
SUFFIXES = {".c", ".cc", ".cpp", ".h", ".hpp"}


def non_blank_lines(folder):
    total = 0
    for path in folder.rglob("*"):
        if path.suffix in SUFFIXES and path.is_file():
            total += sum(1 for line in path.read_text(errors="replace").splitlines() if line.strip())
    return total


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    tests = non_blank_lines(root / "tests")
    present = [name for name in CODE_FOLDERS if (root / name).is_dir()]
    code = sum(non_blank_lines(root / name) for name in present)
    ratio = tests / code
    print(f"tests {tests} lines, code {code} lines ({' '.join(present)}): {ratio:.1%} (limit {LIMIT:.0%})")
    return 0 if ratio <= LIMIT else 1


if __name__ == "__main__":
    sys.exit(main())
