#!/usr/bin/env python3
"""Checks the Visual Basic declarations module against the 32-bit DLL.

VB binds a Declare by the name or Alias it gives and pushes the arguments
its parameter list describes; a wrong name fails only when the host first
calls it, and a wrong byte count corrupts the host's stack. So every
function the 32-bit DLL exports must be declared under a name the DLL
exports, with the argument bytes of its standard-call decoration.

Usage: check_vb_module.py MODULE.bas (tabrix32.dll | exports.txt)
"""
import re
import subprocess
import sys

DLL_NAME = "tabrix32.dll"
# The loader calls the entry point; a host never does.
NOT_FOR_HOSTS = {"DllMain"}
# Bytes a ByVal argument of these types takes on the 32-bit stack; every
# other type is 4 (ByRef is an address, a ByVal Integer or Byte is widened).
BYVAL_BYTES = {"double": 8, "currency": 8, "date": 8, "variant": 16}

DECORATED = re.compile(r"^_(\w+)@(\d+)$")


def exports_from_dll(path):
    text = subprocess.run(["i686-w64-mingw32-objdump", "-p", path], check=True, capture_output=True,
                          text=True).stdout
    table = text.split("[Ordinal/Name Pointer] Table", 1)[-1]
    return set(re.findall(r"^\s+\[\s*\d+\]\s+(\S+)$", table, re.M))


def exports_from_list(path):
    names = set()
    with open(path) as listing:
        for line in listing:
            words = line.split("#", 1)[0].split()
            if not words:
                continue
            name, size = words[0], int(words[1])
            names.add(f"_{name}@{size}")
            if len(words) < 3:
                names.add(name)
    return names


def functions(names):
    """Each function's argument bytes, and the names it can be bound by."""
    sizes, bindings = {}, {}
    for name in names:
        match = DECORATED.match(name)
        if match:
            sizes[match.group(1)] = int(match.group(2))
    for function in sizes:
        bindings[function] = {n for n in (function, f"_{function}@{sizes[function]}") if n in names}
    plain_only = {n for n in names if not DECORATED.match(n) and n not in sizes}
    return sizes, bindings, plain_only


def without_comment(line):
    quoted = False
    for at, char in enumerate(line):
        if char == '"':
            quoted = not quoted
        elif char == "'" and not quoted:
            return line[:at]
    return line


def declarations(path):
    """(line number, VB name, bound name, [(passing, type)]) of each Declare of the DLL."""
    with open(path, encoding="latin-1") as module:
        lines = module.read().splitlines()
    found, statement, first = [], "", 0
    for number, line in enumerate(lines, 1):
        code = without_comment(line)
        if not statement:
            first = number
        if code.rstrip().endswith(" _"):
            statement += code.rstrip()[:-1]
            continue
        statement += code
        match = re.match(r'\s*(?:(?:Public|Private)\s+)?Declare\s+(?:Function|Sub)\s+(\w+)\s+Lib\s+"([^"]+)"'
                         r'(?:\s+Alias\s+"([^"]+)")?\s*\((.*)\)', statement, re.I)
        statement = ""
        if not match or match.group(2).lower() != DLL_NAME:
            continue
        arguments = []
        for parameter in filter(None, (p.strip() for p in match.group(4).split(","))):
            words = parameter.split()
            passing = words[0].lower() if words[0].lower() in ("byval", "byref") else "byref"
            kind = words[-1].lower() if len(words) >= 3 and words[-2].lower() == "as" else "variant"
            arguments.append((passing, kind))
        found.append((first, match.group(1), match.group(3) or match.group(1), arguments))
    return found


def argument_bytes(arguments):
    return sum(BYVAL_BYTES.get(kind, 4) if passing == "byval" else 4 for passing, kind in arguments)


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    module, table = sys.argv[1], sys.argv[2]
    names = exports_from_list(table) if table.endswith(".txt") else exports_from_dll(table)
    sizes, bindings, plain_only = functions(names)
    failures = [f"{DLL_NAME} exports {name} without an argument size" for name in sorted(plain_only)]

    declared = {}
    for line, vb_name, bound, arguments in declarations(module):
        where = f"{module}:{line} {vb_name}"
        function = DECORATED.match(bound).group(1) if DECORATED.match(bound) else bound
        if bound not in names:
            failures.append(f"{where} binds {bound}, which {DLL_NAME} does not export")
            continue
        if function in declared:
            failures.append(f"{where} declares {function} again (first at line {declared[function]})")
        declared[function] = line
        # Every argument of the 32-bit exports is one 4-byte stack slot.
        if len(arguments) != sizes[function] // 4:
            failures.append(f"{where} has {len(arguments)} arguments, the export takes {sizes[function] // 4}")
        if argument_bytes(arguments) != sizes[function]:
            failures.append(f"{where} pushes {argument_bytes(arguments)} bytes, the export takes {sizes[function]}")

    for function in sorted(set(sizes) - NOT_FOR_HOSTS - set(declared)):
        failures.append(f"{module} does not declare {function} (exported as {', '.join(sorted(bindings[function]))})")

    for failure in failures:
        print("FAIL:", failure)
    print(f"VB module: {len(declared)} declarations checked against {len(set(sizes) - NOT_FOR_HOSTS)} exports, "
          f"{len(failures)} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
