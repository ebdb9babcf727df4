#!/usr/bin/env python3
"""Checks the export and import tables of the 32-bit and 64-bit DLLs.

Hosts bind to the 32-bit DLL by plain and by decorated standard-call names,
so every export must appear under both, with the argument byte count its
signature has. The list below is kept by hand on purpose: it is what hosts
were promised, not what the build happened to produce.
"""
import argparse
import re
import subprocess
import sys

# name: argument bytes on the 32-bit build
EXPORTS = {
    "CreateGrid": 32, "FreeGrid": 4,
    "DimCols": 8, "DefineField": 16, "InsertColLabel": 20, "ClearColLabels": 4, "LockField": 12,
    "GetColCount": 4, "GetColWidth": 8, "GetFldSize": 8,
    "DimRows": 8, "RedimPreserveRows": 8, "CreateCell": 16, "SetCellText": 16, "GetCell": 20,
    "GetRowCount": 4, "GetColLabel": 16, "odbcSetCodePage": 4, "SetGridCodePage": 8, "SelectRow": 8, "GetCellRect": 16, "ClearCells": 4, "ClearGrid": 4,
    "SetGridAttr": 8, "MakeFont": 24, "ShowLineNumbers": 8, "SetRowHeight": 8, "GetRowHeight": 4,
    "OnEntryStyle": 4,
    "SetUndoBuffer": 4, "GridGetFocus": 0, "TrapInitMenuPopup": 4, "UndoRow": 4, "UndoField": 4,
    "CanUndoRow": 4, "CanUndoField": 4, "UndeleteRow": 4, "CanUndeleteRow": 4, "DeleteGridRow": 4,
    "CanDeleteRow": 4, "RowModified": 8, "ResetRowModified": 8, "GridDataChanged": 4, "SetModify": 8,
    "FinishEditing": 4, "GridReadOnly": 8, "GridFind": 20,
    "GotoCell": 12, "ViewGrid": 8, "GetFirstVisRow": 4, "GetFirstVisCol": 4, "GetCurrentRow": 4,
    "GetCurrentCol": 4,
    "SetFuncCallback": 8, "GetNotifyHwnd": 0, "GetNotifyCell": 8, "GetCellsText": 20, "CopyCells": 4, "PasteCells": 8,
    "GetPasteResult": 16,
    "GetRecordRAF": 8, "PutRecordRAF": 12, "LoadRecordsetRAF": 8,
    "GetRecordDelimited": 20, "PutRecordDelimited": 20, "LoadRecordsetDelimited": 16,
    "odbcAllocEnv": 0, "odbcFreeEnv": 4, "odbcConnect": 8, "odbcConnectDSN": 16, "odbcDisconnect": 4,
    "odbcFreeDB": 4, "odbcAllocStmt": 8, "odbcFreeStmt": 4, "odbcSQLExec": 8, "odbcGetColCount": 4,
    "odbcGetColDesc": 12, "odbcRowsAffected": 4, "odbcBeginTrans": 4, "odbcEndTrans": 8,
    "odbcFetchRecord": 4, "odbcGetData": 12, "odbcGetDiagRec": 24, "odbcGetErrCode": 0, "odbcGetErrMsg": 0,
    "odbcCreateMDB": 8, "odbcCompactMDB": 8, "odbcRepairMDB": 8,
    "odbcLoadRecordsetSQL": 16, "odbcInitColumn": 16,
}
# exported only under their decorated names on the 32-bit DLL; the fetch
# routines keep their plain names on the 64-bit one, where nothing decorates
DECORATED_ONLY = {"DllMain": 12, "FetchRecords": 16, "FetchRecords_EX": 20}
PLAIN_ON_64 = {"FetchRecords", "FetchRecords_EX"}

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll", "advapi32.dll",
               "odbc32.dll", "odbccp32.dll", "shell32.dll", "ole32.dll", "comdlg32.dll"}


def table(objdump, dll):
    text = subprocess.run([objdump, "-p", dll], check=True, capture_output=True, text=True).stdout
    names = set(re.findall(r"^\s+\[\s*\d+\]\s+(\S+)$", text.split("[Ordinal/Name Pointer] Table", 1)[-1], re.M))
    imports = {m.lower() for m in re.findall(r"DLL Name: (\S+)", text)}
    return names, imports


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dll32", required=True)
    parser.add_argument("--dll64", required=True)
    args = parser.parse_args()
    failures = []

    names32, imports32 = table("i686-w64-mingw32-objdump", args.dll32)
    for name, size in EXPORTS.items():
        for wanted in (name, f"_{name}@{size}"):
            if wanted not in names32:
                failures.append(f"32-bit DLL lacks export {wanted}")
    for name, size in DECORATED_ONLY.items():
        if f"_{name}@{size}" not in names32:
            failures.append(f"32-bit DLL lacks export _{name}@{size}")
        if name in names32:
            failures.append(f"32-bit DLL exports {name} under its plain name")
    known = set(EXPORTS) | {f"_{n}@{s}" for n, s in {**EXPORTS, **DECORATED_ONLY}.items()}
    for extra in sorted(names32 - known):
        failures.append(f"32-bit DLL exports {extra}, which no host was promised (or the list is stale)")

    names64, imports64 = table("x86_64-w64-mingw32-objdump", args.dll64)
    for name in list(EXPORTS) + sorted(PLAIN_ON_64):
        if name not in names64:
            failures.append(f"64-bit DLL lacks export {name}")

    for label, imports in (("32-bit", imports32), ("64-bit", imports64)):
        for dll in sorted(imports - SYSTEM_DLLS):
            failures.append(f"{label} DLL imports {dll}, which is not a Windows system DLL")

    checked = 3 * len(EXPORTS) + len(DECORATED_ONLY) + len(PLAIN_ON_64)
    for failure in failures:
        print("FAIL:", failure)
    print(f"export table: {checked} names checked, {len(failures)} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
