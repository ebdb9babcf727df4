#!/usr/bin/env python3
"""Checks the Visual Basic declarations module against the DLLs and the header.

VB binds a Declare by the name or Alias it gives and pushes the arguments
its parameter list describes; a wrong name fails only when the host first
calls it, and a wrong size corrupts the host's stack or memory. The module
is read as each host compiles it: classic (VB6) and VBA7 (32-bit Office)
against the 32-bit DLL's decorated names and argument bytes, VBA7 Win64
(64-bit Office) against the 64-bit DLL's names. With --header, the VBA 7
arguments and answers must have the header's widths (handles and addresses
LongPtr or ByRef), and each module constant X must be the header's TABRIX_X
(GN_ and NOTIFY_ names plain) with the same value.

Usage: check_vb_module.py MODULE.bas (tabrix32.dll | exports.txt) [--dll64 DLL] [--header tabrix32.h]
"""
import argparse
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
# Header types a VBA 7 declaration passes as LongPtr (or String for text).
POINTER_SIZED = {"HWND", "HINSTANCE", "HFONT", "WNDPROC", "ODBCHANDLE"}
# What a header pointer parameter points at, as the VB ByRef type.
POINTEE = {"FieldDef": "fielddef", "GridAttr": "gridattr", "ColDesc": "coldesc", "RECT": "gridrect",
           "int32_t": "long", "ODBCHANDLE": "longptr"}
BUILDS = {"classic": {"vba7": False, "win64": False}, "VBA7": {"vba7": True, "win64": False},
          "VBA7 Win64": {"vba7": True, "win64": True}}


def exports_from_dll(path, tool="i686-w64-mingw32-"):
    text = subprocess.run([tool + "objdump", "-p", path], check=True, capture_output=True, text=True).stdout
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
    """Each function's argument bytes, and the plain names without a decorated twin."""
    sizes = {m.group(1): int(m.group(2)) for m in map(DECORATED.match, names) if m}
    return sizes, {n for n in names if not DECORATED.match(n) and n not in sizes}


def without_comment(line):
    quoted = False
    for at, char in enumerate(line):
        if char == '"':
            quoted = not quoted
        elif char == "'" and not quoted:
            return line[:at]
    return line


def statements(path, build):
    """(line number, statement) of the module as one build compiles it."""
    with open(path, encoding="latin-1") as module:
        lines = module.read().splitlines()
    found, statement, first, stack = [], "", 0, []  # stack: [outer active, active, condition held]
    for number, line in enumerate(lines, 1):
        code = without_comment(line).strip()
        directive = re.match(r"#(If|Else|End If)\b\s*(.*?)(?:\s+Then)?$", code, re.I)
        if directive:
            word, condition = directive.group(1).lower(), directive.group(2).strip().lower()
            outer = stack[-1][1] if stack else True
            if word == "if":
                stack.append([outer, outer and build.get(condition, False), build.get(condition, False)])
            elif word == "else":
                stack[-1][1] = stack[-1][0] and not stack[-1][2]
            else:
                stack.pop()
            continue
        if stack and not stack[-1][1]:
            continue
        if not statement:
            first = number
        if code.endswith(" _"):
            statement += code[:-1]
            continue
        statement += code
        found.append((first, statement))
        statement = ""
    return found


def declarations(path, build):
    """(line, VB name, bound name, [(passing, type)], answer type, PtrSafe) of each Declare of the DLL."""
    found = []
    for first, statement in statements(path, build):
        match = re.match(r'(?:(?:Public|Private)\s+)?Declare\s+(PtrSafe\s+)?(Function|Sub)\s+(\w+)\s+Lib\s+"([^"]+)"'
                         r'(?:\s+Alias\s+"([^"]+)")?\s*\((.*)\)\s*(?:As\s+(\w+))?', statement, re.I)
        if not match or match.group(4).lower() != DLL_NAME:
            continue
        arguments = []
        for parameter in filter(None, (p.strip() for p in match.group(6).split(","))):
            words = parameter.split()
            passing = words[0].lower() if words[0].lower() in ("byval", "byref") else "byref"
            kind = words[-1].lower() if len(words) >= 3 and words[-2].lower() == "as" else "variant"
            arguments.append((passing, kind))
        answer = (match.group(7) or "").lower() if match.group(2).lower() == "function" else "void"
        found.append((first, match.group(3), match.group(5) or match.group(3), arguments, answer,
                      bool(match.group(1))))
    return found


def constants(path):
    values = {}
    for _, statement in statements(path, BUILDS["classic"]):
        match = re.match(r"(?:Public\s+)?Const\s+(\w+)\s+As\s+\w+\s*=\s*(.+)$", statement, re.I)
        if match:
            value = match.group(2).strip()
            values[match.group(1)] = int(value[2:], 16) if value.startswith("&H") else \
                value.strip('"') if value.startswith('"') else int(value)
    return values


def header_facts(path):
    """The header's named values, and each function's (answer type, [parameter types])."""
    text = re.sub(r"/\*.*?\*/", "", open(path).read(), flags=re.S)
    values = {}
    for name, value in re.findall(r"^#define\s+((?:TABRIX|GN)_\w+)\s+(\"[^\"]*\"|0x[0-9A-Fa-f]+|-?\d+)\s*$", text, re.M):
        values[name] = value.strip('"') if value.startswith('"') else int(value, 0)
    for body in re.findall(r"enum\s*\{(.*?)\}", text, re.S):
        for name, value in re.findall(r"(\w+)\s*=\s*(-?(?:0x[0-9A-Fa-f]+|\d+))", body):
            values[name] = int(value, 0)
    prototypes = {}
    for answer, name, parameters in re.findall(r"([\w\s\*]+?)\s*\bWINAPI\s+(\w+)\s*\(([^)]*)\)", text):
        kinds = [] if parameters.strip() == "void" else [re.sub(r"\s*\w+$", "", p.strip()) for p in parameters.split(",")]
        prototypes[name] = (re.search(r"(?:const\s+)?\w+\s*\**$", answer.strip()).group(0), kinds)
    return values, prototypes


def vba7_width_problems(where, c_answer, c_kinds, arguments, answer):
    """How a VBA 7 declaration's widths differ from the header's types."""
    problems = []
    for at, (c_kind, (passing, kind)) in enumerate(zip(c_kinds, arguments), 1):
        base = c_kind.replace("const", "").replace("*", "").strip()
        if "*" in c_kind and base == "char":
            ok = (passing, kind) in {("byval", "string"), ("byval", "longptr")}
        elif "*" in c_kind:
            ok = passing == "byref" and kind == POINTEE.get(base, "?")
        elif base in POINTER_SIZED:
            ok = passing == "byval" and kind == "longptr"
        else:
            ok = passing == "byval" and kind == {"int16_t": "integer", "uint8_t": "byte"}.get(base, "long")
        if not ok:
            problems.append(f"{where}: argument {at} is {passing} {kind}, the header's {c_kind} needs another width")
    c_base = c_answer.replace("const", "").strip()
    wanted = "void" if c_base == "void" else "longptr" if "*" in c_base or c_base in POINTER_SIZED else "long"
    if answer != wanted:
        problems.append(f"{where}: answers {answer or 'Variant'}, the header's {c_answer} needs {wanted}")
    return problems


def check(module, build_name, names, sizes, prototypes):
    build = BUILDS[build_name]
    failures, declared = [], {}
    for line, vb_name, bound, arguments, answer, ptrsafe in declarations(module, build):
        where = f"{module}:{line} {vb_name} ({build_name})"
        function = DECORATED.match(bound).group(1) if DECORATED.match(bound) else bound
        if bound not in names:
            failures.append(f"{where} binds {bound}, which the DLL does not export")
            continue
        if function in declared:
            failures.append(f"{where} declares {function} again (first at line {declared[function]})")
        declared[function] = line
        if build["vba7"] and not ptrsafe:
            failures.append(f"{where} lacks PtrSafe")
        if len(arguments) != sizes[function] // 4:
            failures.append(f"{where} has {len(arguments)} arguments, the export takes {sizes[function] // 4}")
        if not build["win64"]:
            pushed = sum(BYVAL_BYTES.get(kind, 4) if passing == "byval" else 4 for passing, kind in arguments)
            if pushed != sizes[function]:
                failures.append(f"{where} pushes {pushed} bytes, the export takes {sizes[function]}")
        if build["vba7"] and function in prototypes:
            failures += vba7_width_problems(where, *prototypes[function], arguments, answer)
    for function in sorted(set(sizes) - NOT_FOR_HOSTS - set(declared)):
        failures.append(f"{module} does not declare {function} ({build_name})")
    return failures, len(declared)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("module")
    parser.add_argument("table", help="the 32-bit tabrix32.dll, or exports/exports.txt")
    parser.add_argument("--dll64")
    parser.add_argument("--header")
    args = parser.parse_args()
    names32 = exports_from_list(args.table) if args.table.endswith(".txt") else exports_from_dll(args.table)
    sizes, plain_only = functions(names32)
    failures = [f"{DLL_NAME} exports {name} without an argument size" for name in sorted(plain_only)]
    values, prototypes = header_facts(args.header) if args.header else ({}, {})

    builds = [("classic", names32), ("VBA7", names32)]
    if args.dll64:
        builds.append(("VBA7 Win64", exports_from_dll(args.dll64, "x86_64-w64-mingw32-")))
    counts = []
    for build_name, names in builds:
        found, count = check(args.module, build_name, names, sizes, prototypes)
        failures += found
        counts.append(f"{count} {build_name}")

    if args.header:
        module_values = constants(args.module)
        header_as_module = {re.sub(r"^TABRIX_", "", n): v for n, v in values.items()}
        for name, value in sorted(header_as_module.items()):
            if name not in module_values:
                failures.append(f"{args.module} lacks {name} (the header's {name if name.startswith(('GN_', 'NOTIFY_')) else 'TABRIX_' + name})")
            elif module_values[name] != value:
                failures.append(f"{args.module}: {name} is {module_values[name]!r}, the header says {value!r}")
        for name in sorted(set(module_values) - set(header_as_module)):
            if not name.startswith("SQL_"):
                failures.append(f"{args.module}: {name} has no counterpart in the header")

    for failure in failures:
        print("FAIL:", failure)
    print(f"VB module: declarations checked ({', '.join(counts)}) against {len(set(sizes) - NOT_FOR_HOSTS)} exports, "
          f"{len(failures)} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
