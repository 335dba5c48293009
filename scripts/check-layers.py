#!/usr/bin/env python3
"""Holds the includes of the tree to the order of its layers, lowest first:

    base, calendar <- almanac <- festivals, reminders, holidays <- days <- notices, planning, export <- caldav <- view <- app <- tools

A file may include headers of its own folder's layer and of the layers below.
Folders of one layer stand side by side and do not include each other: base
and calendar (the calendar arithmetic needs nothing from the files and texts
of base), festivals, reminders and holidays, and notices, planning and
export. There are no exceptions. A portable file (one outside every win/
folder and not a platform half named *_win.cpp) includes no win/ header and
no Windows header. Tests follow the
rules of the module they test and may use tests/support/.

Prints one line per broken include, naming the file, the line and the include,
and exits 1 when there is any. Usage: check-layers.py [--root DIR]
"""
import argparse
import os
import re
import subprocess
import sys

LAYERS = {
    "resources": 0,  # numeric ids only: every layer may name them
    "base": 0,
    "calendar": 0,
    "almanac": 1,
    "festivals": 2,
    "reminders": 2,
    "holidays": 2,
    "days": 3,
    "notices": 4,
    "planning": 4,
    "export": 4,
    "caldav": 5,
    "view": 6,
    "app": 7,
    "tests": 8,      # tests/support/: the shared helpers of every test
    "tools": 9,
}


WINDOWS_HEADERS = re.compile(r"^(windows|winuser|wingdi|objbase|shellapi|shlobj|commctrl|commdlg|gdiplus.*|"
                             r"mmsystem|urlmon|wininet|winreg|oleauto|ole2|uxtheme|dwmapi|shlwapi)\.h$", re.I)
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE = re.compile(r"\.(c|cc|cpp|h|hpp)$")


def source_files(root):
    try:
        out = subprocess.run(["git", "-C", root, "ls-files", "-co", "--exclude-standard", "-z"],
                             capture_output=True, check=True).stdout.decode("utf-8", "replace")
        files = [f for f in out.split("\0") if f]
    except (OSError, subprocess.CalledProcessError):
        files = [os.path.relpath(os.path.join(d, f), root) for d, _, fs in os.walk(root) for f in fs]
    return sorted(f for f in files if SOURCE.search(f) and f.split("/")[0] in LAYERS
                  and not f.startswith(("build", ".cache")) and os.path.exists(os.path.join(root, f)))


def is_portable(path):
    parts = path.split("/")
    return "win" not in parts[:-1] and not parts[-1].endswith("_win.cpp") and parts[0] != "tools"


def layer_of(path):
    return LAYERS.get(path.split("/")[0])


def problems(root):
    for path in source_files(root):
        module = path.split("/")[0]
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                quote, target = m.groups()
                where = f"{path}:{number}: #include {quote}{target}{'>' if quote == '<' else quote}"
                if quote == "<":
                    if is_portable(path) and WINDOWS_HEADERS.match(os.path.basename(target)):
                        yield f"{where}: a portable file includes a Windows header"
                    continue
                top = target.split("/")[0]
                if top not in LAYERS:
                    continue  # a header beside the file, or a third-party one
                if is_portable(path) and "win" in target.split("/")[:-1]:
                    yield f"{where}: a portable file includes a win/ header"
                    continue
                if top == module:
                    continue
                if top == "tests" and "/tests/" in f"/{path}":
                    continue
                if layer_of(target) > layer_of(path) or (layer_of(target) == layer_of(path) and top != module):
                    yield f"{where}: {module}/ may not include {top}/"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    args = parser.parse_args()
    found = list(problems(os.path.abspath(args.root)))
    for line in found:
        print(line)
    print(f"layers: {len(found)} broken include(s)" if found else "layers: every include points down")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
