#!/usr/bin/env python3
"""Checks the SDK zip: every listed file, built for the right machine, and
import libraries that resolve the header's names to exports the DLL has.

The 32-bit import library must define CreateGrid@32 (the name a standard-call
declaration produces) and bind it to an export the DLL already has; the
64-bit one binds the plain names.
"""
import argparse
import os
import re
import struct
import subprocess
import sys
import tempfile
import zipfile

TOOLS = {"x86": "i686-w64-mingw32-", "x64": "x86_64-w64-mingw32-"}
MACHINE = {"x86": 0x14C, "x64": 0x8664}
PER_ARCH = ["tabrix32.dll", "libtabrix32.dll.a", "tabrix32.lib", "tabrix32.def"]
REQUIRED = ["include/tabrix32.h", "demo/sample.sql", "x64/tabrix_demo.exe", "tests/support/capture.h",
            "tests/support/capture.cpp", "tools/png.h", "tools/png.cpp"] + [
    f"{arch}/{name}" for arch in TOOLS for name in PER_ARCH]
DEMO_SOURCE = re.compile(r"\.(cpp|h|rc)$")
OPTIONAL = {"x86/tabrix_demo.exe"}


def exports_list(source):
    """(name, 32-bit argument bytes, third word) from exports/exports.txt."""
    rows = []
    with open(os.path.join(source, "exports", "exports.txt")) as f:
        for line in f:
            words = line.split()
            if words and re.match(r"[A-Za-z]", words[0]):
                rows.append((words[0], int(words[1]), words[2] if len(words) > 2 else ""))
    return rows


def machine(path):
    with open(path, "rb") as f:
        data = f.read(4096)
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    return struct.unpack_from("<H", data, pe + 4)[0] if data[pe:pe + 4] == b"PE\0\0" else None


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def dll_exports(tool, dll):
    text = run(tool + "objdump", "-p", dll).split("[Ordinal/Name Pointer] Table", 1)[-1]
    return set(re.findall(r"^\s+\[\s*\d+\]\s+(\S+)$", text, re.M))


def import_names(tool, lib):
    """Names each import member binds at load time (its hint/name entry)."""
    names = set()
    dump = run(tool + "objdump", "-s", "-j", ".idata$6", lib)
    for block in dump.split("Contents of section .idata$6:")[1:]:
        raw = b"".join(bytes.fromhex("".join(line[6:41].split())) for line in block.splitlines()
                       if re.match(r"^ [0-9a-f]{4} ", line))
        name = raw[2:].split(b"\0", 1)[0].decode()
        if name and not name.endswith(".dll"):
            names.add(name)
    return names


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--zip", required=True)
    parser.add_argument("--source", required=True)
    args = parser.parse_args()
    failures = []

    with zipfile.ZipFile(args.zip) as z:
        entries = {n[len("tabrix/"):] for n in z.namelist() if n.startswith("tabrix/") and not n.endswith("/")}
        wanted = set(REQUIRED)
        docs = os.path.join(args.source, "docs")
        wanted |= {os.path.relpath(os.path.join(d, n), args.source).replace(os.sep, "/")
                   for d, _, names in os.walk(docs) for n in names}
        # The demo as source, and everything its sources include: the zip's
        # root and include/ must build it (getting-started.md says how).
        wanted |= {"demo/" + n for n in os.listdir(os.path.join(args.source, "demo")) if DEMO_SOURCE.search(n)}
        for name in sorted(e for e in entries if DEMO_SOURCE.search(e)):
            for included in re.findall(r'^\s*#\s*include\s+"([^"]+)"', z.read("tabrix/" + name).decode("latin-1"), re.M):
                if not {included, "include/" + included} & entries:
                    failures.append(f"{name} includes {included}, which the zip lacks")
        if os.path.exists(os.path.join(args.source, "vb", "tabrix32.bas")):
            wanted.add("vb/tabrix32.bas")
        failures += [f"zip lacks {n}" for n in sorted(wanted - entries)]
        failures += [f"zip holds {n}, which is not listed" for n in sorted(entries - wanted - OPTIONAL)]
        with open(os.path.join(args.source, "include", "tabrix32.h"), "rb") as f:
            if "include/tabrix32.h" in entries and z.read("tabrix/include/tabrix32.h") != f.read():
                failures.append("the zip's header differs from include/tabrix32.h")
        tmp = tempfile.mkdtemp()
        z.extractall(tmp)
    root = os.path.join(tmp, "tabrix")

    rows = exports_list(args.source)
    for arch, tool in TOOLS.items():
        d = os.path.join(root, arch)
        if not all(os.path.exists(os.path.join(d, n)) for n in PER_ARCH):
            continue
        for program in ("tabrix32.dll", "tabrix_demo.exe"):
            path = os.path.join(d, program)
            if os.path.exists(path) and machine(path) != MACHINE[arch]:
                failures.append(f"{arch}/{program} is not built for {arch}")
        with open(os.path.join(d, "tabrix32.dll"), "rb") as f:
            if "ProductName\0".encode("utf-16-le") + b"\0\0" + "Tabrix\0".encode("utf-16-le") not in f.read():
                failures.append(f"{arch}/tabrix32.dll has no version record naming the product Tabrix")
        # what a host's declarations make the compiler ask for
        if arch == "x86":
            wanted = {f"__imp__{n}@{b}" for n, b, kind in rows if n != "DllMain"}
        else:
            wanted = {f"__imp_{n}" for n, b, kind in rows if kind != "decorated"}
        for lib in ("libtabrix32.dll.a", "tabrix32.lib"):
            path = os.path.join(d, lib)
            defined = set(re.findall(r"^[0-9a-f]+ I (\S+)$", run(tool + "nm", path), re.M))
            failures += [f"{arch}/{lib} does not define {s}" for s in sorted(wanted - defined)]
            exported = dll_exports(tool, os.path.join(d, "tabrix32.dll"))
            bound = import_names(tool, path)
            failures += [f"{arch}/{lib} binds {n}, which the DLL does not export" for n in sorted(bound - exported)]
            if len(bound) != len(wanted):
                failures.append(f"{arch}/{lib} binds {len(bound)} names for {len(wanted)} exports")

    for failure in failures:
        print(failure)
    print(f"{len(failures)} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
