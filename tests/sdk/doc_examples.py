#!/usr/bin/env python3
"""Takes the C a host reads in docs/ into the SDK hosts' build.

  doc_examples.py DOCS_DIR OUT_DIR HEADER VB_MODULE

Writes OUT_DIR/doc_examples.inc: every C example of the Markdown files as a
function (the "C:" lines of a reference entry and their indented
continuations, or a ```c block), and a program (a block with WinMain)
renamed so the host can run it; doc_host.c runs them all. Writes
OUT_DIR/doc_answers.inc: one ROW(line, situation, call, answer) per row of
the Answers table of api.md, for answers.cpp. #line directives point
compiler errors at the documentation. Fails when a page names a TABRIX_
value the header lacks, or its VB lines a constant the module lacks: the
three say one name for each meaning.
"""
import os
import re
import sys

EXAMPLE_ARGS = "HWND hwnd, HINSTANCE hInstance, HWND grid, ODBCHANDLE dbc, UINT msg, WPARAM wp, LPARAM lp"
EXAMPLE_USES = "(void)hwnd; (void)hInstance; (void)grid; (void)dbc; (void)msg; (void)wp; (void)lp;"
ROW = re.compile(r"^\|\s*`(.+)`\s*\|\s*(\w+)\s*\|\s*`(.+)`\s*\|\s*$", re.M)
# A row of the edge table: a call of `v`, its situation, the bound, and the
# answers at -1, 0, the bound, the bound + 1 and 2147483647.
EDGE = re.compile(r"^\|\s*`(.+?)`\s*\|\s*(\w+)\s*\|\s*(\d+)\s*\|" + r"\s*`(.*?)`\s*\|" * 5 + r"\s*$", re.M)


def line_of(text, at):
    return text.count("\n", 0, at) + 1


def examples(text):
    """(first line, [lines], is_program) of each C example of one page."""
    found = [(line_of(text, m.start()), (" " * 8 + m.group(1)).splitlines(), False)
             for m in re.finditer(r"^    C:  (.*\n(?: {8}.*\n)*)", text, re.M)]
    found += [(line_of(text, m.start()) + 1, m.group(1).splitlines(), "WinMain" in m.group(1))
              for m in re.finditer(r"^```c\n(.*?)^```$", text, re.M | re.S)]
    return sorted(found)


def answer_rows(text):
    start = text.index("\n## Answers\n")
    end = text.find("\n## ", start + 1)
    section = text[start:end if end > 0 else len(text)]
    rows = [(line_of(text, start + m.start()), m.group(2), m.group(1), m.group(3)) for m in ROW.finditer(section)]
    for m in EDGE.finditer(section):
        bound = int(m.group(3))
        for value, answer in zip([-1, 0, bound, bound + 1, 2147483647], m.groups()[3:]):
            rows.append((line_of(text, start + m.start()), m.group(2), re.sub(r"\bv\b", f"({value})", m.group(1)), answer))
    return sorted(rows, key=lambda row: row[0])


def unknown_names(path, header, module):
    """Named values a page uses that the header or the VB module lacks."""
    text = open(header).read()
    known_c = set(re.findall(r"^#define\s+(\w+)", text, re.M)) | set(re.findall(r"\b(\w+)\s*=", text))
    known_vb = set(re.findall(r"^Public Const (\w+)", open(module, encoding="latin-1").read(), re.M))
    page = open(path, encoding="utf-8").read()
    wrong = {f"{n} (not in the header)" for n in re.findall(r"\bTABRIX_[A-Z0-9_]+\b", page)
             if n not in known_c and n != "TABRIX_"}
    vb_lines = re.findall(r"^    VB: (.*(?:\n {8}.*)*)", page, re.M)
    wrong |= {f"{n} (not in the VB module)" for line in vb_lines
              for n in re.findall(r"\b[A-Z][A-Z0-9]*_[A-Z0-9_]+\b", line) if n not in known_vb}
    return sorted(wrong)


def main():
    docs, out, header, module = sys.argv[1:5]
    code, table, programs = [], [], []
    for name in sorted(os.listdir(docs)):
        if not name.endswith(".md"):
            continue
        path = os.path.join(docs, name)
        where = "docs/" + name
        for wrong in unknown_names(path, header, module):
            sys.exit(f"{where} names {wrong}")
        for first, body, is_program in examples(open(path, encoding="utf-8").read()):
            n = len(table) + len(programs) + 1
            if is_program:
                code += [f"#define WinMain DocProgram{n}", f'#line {first} "{where}"'] + body
                code += ["#undef WinMain", ""]
                programs.append(f'{{"{where}:{first}", DocProgram{n}}},')
            else:
                code += [f"static LRESULT Example{n}({EXAMPLE_ARGS}) {{", f"    {EXAMPLE_USES}", "    {",
                         f'#line {first} "{where}"'] + body + ["    }", "    return 0;", "}", ""]
                table.append(f'{{"{where}:{first}", Example{n}}},')
    code += ["static const struct DocExample docExamples[] = {"] + table + ["{NULL, NULL}};"]
    code += ["static const struct DocProgram docPrograms[] = {"] + programs + ["{NULL, NULL}};"]
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "doc_examples.inc"), "w") as f:
        f.write("/* Made by tests/sdk/doc_examples.py from the Markdown in docs/: do not edit. */\n" + "\n".join(code) + "\n")

    rows = answer_rows(open(os.path.join(docs, "api.md"), encoding="utf-8").read())
    if not rows:
        sys.exit("docs/api.md has no Answers table")
    with open(os.path.join(out, "doc_answers.inc"), "w") as f:
        f.write("/* Made by tests/sdk/doc_examples.py from docs/api.md: do not edit. */\n")
        for number, situation, call, answer in rows:
            f.write(f'#line {number} "docs/api.md"\nROW({number}, {situation}, {call}, {answer})\n')
    print(f"{len(table)} examples, {len(programs)} programs, {len(rows)} answers")


if __name__ == "__main__":
    main()
