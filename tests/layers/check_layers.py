#!/usr/bin/env python3
"""Fails on an #include that points from a product folder to one above it.

The folders are layers, bottom to top; a file may include headers of its own
folder and of the folders below. records/ and view/ stand side by side and
may not include each other. Every offending line is named, with the file and
line number, so the message says what to move.
"""
import pathlib
import re
import sys

LAYERS = [
    ["include", "support"],
    ["grid"],
    ["records", "view"],
    ["edit"],
    ["odbc"],
    ["control"],
    ["exports"],
]
RANK = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def target_folder(source: pathlib.Path, included: str, root: pathlib.Path):
    path = (source.parent / included).resolve() if included.startswith(".") else root / included
    try:
        return path.relative_to(root).parts[0]
    except ValueError:
        return None


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    problems, checked = [], 0
    for folder, rank in RANK.items():
        for source in sorted((root / folder).rglob("*")):
            if source.suffix not in (".h", ".cpp", ".c"):
                continue
            for number, line in enumerate(source.read_text(errors="replace").splitlines(), 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                checked += 1
                target = target_folder(source, match.group(1), root)
                if target is None or target not in RANK or target == folder:
                    continue
                if RANK[target] >= rank:
                    where = "beside" if RANK[target] == rank else "above"
                    problems.append(f"{source.relative_to(root)}:{number}: includes {match.group(1)}, "
                                    f"a header of {target}/, which is {where} {folder}/")
    for problem in problems:
        print(problem)
    print(f"layers: {checked} includes read, {len(problems)} pointing up or sideways")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
