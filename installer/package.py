#!/usr/bin/env python3
"""Release packages: the installation layout, its staging, the portable zip and
the file lists of the installer.

  package.py stage DIST DATA README STAGE   copy a build's dist/ into STAGE as a
                                             first-run installation and check it
  package.py zip STAGE TOP ZIPFILE           zip STAGE under the folder TOP
  package.py nsis STAGE INCLUDE              install/uninstall macros for NSIS
  package.py check-zip ZIPFILE TOP MACHINE   the zip holds exactly the layout

The files the user changes through the program (settings, festivals, memos)
start from the shipped data/ copies, never from a build folder that a test run
or a developer may have written into.
"""
import fnmatch
import os
import shutil
import struct
import sys
import zipfile
import zlib

# Every file a package may hold, relative to the program's folder. "*" stands
# for one path segment; a pattern marked required must match at least once.
LAYOUT = [
    # (pattern, required)
    ("Solvane.exe", True),
    ("说明.txt", True),
    # The pages the program opens itself (app/win/web_pages.cpp).
    ("Help/index.html", True),
    ("Help/feedback.html", True),
    ("Help/settings-general.html", True),
    ("Help/settings-appearance.html", True),
    ("Help/planning.html", True),
    ("Help/*.html", False),
    ("Help/help.css", True),
    # The help pages' screenshots.
    ("Help/*.png", False),
    ("Ostrel/Database/china.mdb", True),
    # The first-run copies of the files the user edits (base/first_run_files.h).
    ("Ostrel/FirstRun/Solvane.ini", True),
    ("Ostrel/FirstRun/holidays.cfg", True),
    ("Ostrel/offdays-shipped.cfg", True),
    ("Ostrel/Templates/*/config.ini", True),
    ("Ostrel/Templates/*/backgroud.png", True),
    # The double-size pictures for screens of 175 % and more.
    ("Ostrel/Templates/*/backgroud@2x.png", True),
    ("Ostrel/SystemTray/*@2x.png", True),
    ("Ostrel/SystemTray/*.png", True),
    ("Ostrel/SystemTray/*.ini", True),
    ("Sound/提醒.wav", True),
    ("Sound/滴滴.wav", True),
    ("Sound/*.wav", False),
]
# Folders that must exist, also when empty: the program writes into them but
# never creates them.
FOLDERS = ["Ostrel", "Ostrel/FirstRun", "Ostrel/Database", "Ostrel/Templates", "Ostrel/SystemTray", "Reminders", "Sound"]
EMPTY_FOLDERS = ["Reminders"]
# Written by the user through the program. No package holds them under these
# names, so neither the installer nor a zip unpacked over the folder can
# replace them: the program makes them from their first-run copies
# (FIRST_RUN) when they are missing. The uninstaller removes them only when
# asked.
USER_FILES = ["Solvane.ini", "Ostrel/holidays.cfg"]
FIRST_RUN = "Ostrel/FirstRun"
# Written by the user or the program but never shipped (the holiday schedule's
# corrections and downloaded years, over Ostrel/offdays-shipped.cfg): no
# package holds them, so no update can replace them; the uninstaller removes
# them only when asked.
WRITTEN_FILES = ["Ostrel/offdays.cfg"]
USER_FOLDERS = ["Reminders"]
# Made by the program for itself, never the user's: the month window's
# pictures kept from one start to the next. The uninstaller always removes
# them.
PROGRAM_MADE_FILES = ["Ostrel/drawing.cache", "Ostrel/drawing.cache.new"]
# Part of the portable zip only: the installer has its own pages.
ZIP_ONLY = ["说明.txt"]
# Beside the build's program only: its debugging information, split from it
# at the link (the program names it for debuggers). Users get the program.
BUILD_ONLY = ["Solvane.exe.debug"]

# Fixed timestamp for every zip entry, so that the same build gives the same zip.
ZIP_TIME = (2026, 1, 1, 0, 0, 0)


def matches(pattern, path):
    parts, names = pattern.split("/"), path.split("/")
    return len(parts) == len(names) and all(fnmatch.fnmatchcase(n, p) for p, n in zip(parts, names))


def layout_problems(files, folders, ini_text):
    """Everything wrong with a tree of these files and folders (relative, "/")."""
    problems = []
    for path in sorted(files):
        if not any(matches(p, path) for p, _ in LAYOUT):
            problems.append(f"unexpected file {path}")
    for pattern, required in LAYOUT:
        if required and not any(matches(pattern, f) for f in files):
            problems.append(f"missing {pattern}")
    for folder in FOLDERS:
        if folder not in folders:
            problems.append(f"missing folder {folder}/")
    for folder in EMPTY_FOLDERS:
        inside = [p for p in list(files) + list(folders) if p.startswith(folder + "/")]
        if inside:
            problems.append(f"{folder}/ is not empty: {', '.join(sorted(inside))}")
    known = set(FOLDERS) | {os.path.dirname(f) for f in files}
    for folder in sorted(set(folders) - known):
        problems.append(f"unexpected folder {folder}/")

    templates = {f.split("/")[2] for f in files if f.startswith("Ostrel/Templates/")}
    for name in sorted(templates):
        for part in ("config.ini", "backgroud.png", "backgroud@2x.png"):
            if f"Ostrel/Templates/{name}/{part}" not in files:
                problems.append(f"template {name} lacks {part}")
    stems = {os.path.splitext(f)[0] for f in files if f.startswith("Ostrel/SystemTray/")}
    trays = {stem for stem in stems if not stem.endswith("@2x")}
    for stem in sorted(trays):
        for ext in (".png", ".ini", "@2x.png"):
            if stem + ext not in files:
                problems.append(f"tray template {os.path.basename(stem)} lacks {ext}")
    for stem in sorted(stems - trays):
        if stem[: -len("@2x")] not in trays:
            problems.append(f"double-size tray picture {os.path.basename(stem)}.png has no template")

    settings = ini_values(ini_text)
    template = settings.get("template", "")
    if template not in templates:
        problems.append(f"Solvane.ini names the template '{template}', which is not shipped")
    tray = settings.get("systemtraytemplate", "")
    if "Ostrel/SystemTray/" + tray not in trays:
        problems.append(f"Solvane.ini names the tray template '{tray}', which is not shipped")
    return problems


def ini_values(text):
    values, section = {}, None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("["):
            section = line.strip("[]").strip().lower()
        elif "=" in line and section == "ostrel":
            key, value = line.split("=", 1)
            values[key.strip().lower()] = value.strip()
    return values


def walk(root):
    files, folders = set(), set()
    for here, dirs, names in os.walk(root):
        rel = os.path.relpath(here, root).replace(os.sep, "/")
        for d in dirs:
            folders.add(d if rel == "." else f"{rel}/{d}")
        for n in names:
            files.add(n if rel == "." else f"{rel}/{n}")
    return files, folders


def crlf(data):
    return data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")


def stage(dist, data, readme, out):
    if os.path.exists(out):
        shutil.rmtree(out)
    shutil.copytree(dist, out, ignore=lambda here, names: [n for n in names if n in BUILD_ONLY] if here == dist else [])
    for rel in WRITTEN_FILES:  # what a run of the build wrote
        if os.path.exists(os.path.join(out, rel)):
            os.remove(os.path.join(out, rel))
    os.makedirs(os.path.join(out, FIRST_RUN), exist_ok=True)
    for rel in USER_FILES:
        if os.path.exists(os.path.join(out, rel)):
            os.remove(os.path.join(out, rel))
        target = os.path.join(out, FIRST_RUN, os.path.basename(rel))
        shipped = os.path.join(data, rel)
        if os.path.exists(shipped):
            with open(shipped, "rb") as f:
                content = f.read()
            with open(target, "wb") as f:
                f.write(crlf(content))  # Notepad on older Windows shows bare LF as one line
    for rel in USER_FOLDERS:
        shutil.rmtree(os.path.join(out, rel), ignore_errors=True)
        os.makedirs(os.path.join(out, rel))
    with open(readme, encoding="utf-8") as f:
        text = f.read()
    with open(os.path.join(out, "说明.txt"), "wb") as f:
        f.write(crlf(text.encode("gbk")))
    for here, _, names in os.walk(out):
        for n in names:
            os.chmod(os.path.join(here, n), 0o644)
    return check_tree(out)


def check_tree(root):
    files, folders = walk(root)
    ini = os.path.join(root, FIRST_RUN, "Solvane.ini")
    text = open(ini, "rb").read().decode("gbk", "replace") if os.path.exists(ini) else ""
    problems = layout_problems(files, folders, text)
    for p in problems:
        print(f"package: {root}: {p}", file=sys.stderr)
    return not problems


UNICODE_PATH_EXTRA = 0x7075  # Info-ZIP Unicode Path extra field


def unicode_path_extra(name):
    """The Info-ZIP Unicode Path field of an entry named `name`: version 1, the
    CRC-32 of the name as the header stores it (UTF-8 here), the UTF-8 name.
    Extractors that read it (7-Zip, WinRAR, Info-ZIP unzip) take the name from
    it even where they ignore the header's UTF-8 flag."""
    stored = name.encode("utf-8")
    data = struct.pack("<BI", 1, zlib.crc32(stored)) + stored
    return struct.pack("<HH", UNICODE_PATH_EXTRA, len(data)) + data


def extra_fields(extra):
    """{field id: data} of an entry's extra block."""
    fields = {}
    while len(extra) >= 4:
        kind, size = struct.unpack_from("<HH", extra)
        fields[kind] = extra[4:4 + size]
        extra = extra[4 + size:]
    return fields


def write_zip(root, top, out):
    files, folders = walk(root)
    entries = [(top + "/", None)]
    entries += [(f"{top}/{d}/", None) for d in sorted(folders)]
    entries += [(f"{top}/{f}", os.path.join(root, f)) for f in sorted(files)]
    entries.sort(key=lambda e: e[0])
    tmp = out + ".tmp"
    with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        for name, source in entries:
            # Python marks non-ASCII names as UTF-8 (general purpose bit 11),
            # which the built-in extractor of Windows 8 and later, 7-Zip, WinRAR
            # and Bandizip honour; Windows 7's reads every name in the local
            # code page. The Unicode Path field repeats the name for tools that
            # look there.
            info = zipfile.ZipInfo(name, ZIP_TIME)
            # Made on Unix, as Info-ZIP marks its archives: unzip on Linux would otherwise
            # recode the names from the DOS code page despite the UTF-8 flag.
            info.create_system = 3
            if not name.isascii():
                info.extra = unicode_path_extra(name)
            if source is None:
                info.external_attr = (0o40755 << 16) | 0x10  # folder
                z.writestr(info, b"")
            else:
                info.external_attr = 0o100644 << 16
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(source, "rb") as f:
                    z.writestr(info, f.read())
    os.replace(tmp, out)


def nsis_lists(root, out):
    """The installer's File commands and the uninstaller's deletions: the
    program's files, then the user's (removed only when asked)."""
    files, folders = walk(root)
    files = sorted(f for f in files if f not in ZIP_ONLY)
    win = lambda rel: rel.replace("/", "\\")
    src = lambda rel: os.path.abspath(os.path.join(root, rel))
    lines = ["; Generated by installer/package.py from the staged installation.", "!macro InstallProgramFiles"]
    current = None
    for rel in files:
        folder = os.path.dirname(rel)
        if folder != current:
            lines.append(f'  SetOutPath "$INSTDIR{chr(92) + win(folder) if folder else ""}"')
            current = folder
        lines.append(f'  File "{src(rel)}"')
    for folder in sorted(folders):
        lines.append(f'  CreateDirectory "$INSTDIR\\{win(folder)}"')
    lines += ["  SetOutPath \"$INSTDIR\"", "!macroend", "", "!macro RemoveProgramFiles"]
    for rel in files + PROGRAM_MADE_FILES:
        lines.append(f'  Delete "$INSTDIR\\{win(rel)}"')
    lines += ["!macroend", "", "!macro RemoveUserFiles"]
    for rel in USER_FILES + WRITTEN_FILES:
        lines.append(f'  Delete "$INSTDIR\\{win(rel)}"')
    for folder in USER_FOLDERS:
        lines.append(f'  RMDir /r "$INSTDIR\\{win(folder)}"')
    lines += ["!macroend", "", "!macro RemoveEmptyFolders"]
    # Deepest first and never recursive: what the user put there stays.
    for folder in sorted(folders, key=lambda d: (-d.count("/"), d)):
        lines.append(f'  RMDir "$INSTDIR\\{win(folder)}"')
    lines += ["!macroend", ""]
    with open(out, "w", encoding="utf-8-sig") as f:
        f.write("\n".join(lines))


PE_MACHINES = {"x86_64": 0x8664, "i686": 0x14C}


def pe_machine(data):
    if data[:2] != b"MZ":
        return None
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    if data[offset:offset + 4] != b"PE\0\0":
        return None
    return struct.unpack_from("<H", data, offset + 4)[0]


def check_zip(path, top, machine):
    problems = []
    with zipfile.ZipFile(path) as z:
        infos = z.infolist()
        names = [i.filename for i in infos]
        if len(names) != len(set(names)):
            problems.append("duplicate entries")
        for i in infos:
            if not i.filename.startswith(top + "/"):
                problems.append(f"{i.filename} lies outside the folder {top}/")
            if not i.filename.isascii():
                if not i.flag_bits & 0x800:
                    problems.append(f"{i.filename} is not marked as a UTF-8 name")
                if extra_fields(i.extra).get(UNICODE_PATH_EXTRA) != unicode_path_extra(i.filename)[4:]:
                    problems.append(f"{i.filename} lacks its Unicode Path field")
        rel = [n[len(top) + 1:] for n in names if n.startswith(top + "/") and n != top + "/"]
        files = {n for n in rel if not n.endswith("/")}
        folders = {n.rstrip("/") for n in rel if n.endswith("/")}
        for f in files:  # every file's folder has its own entry, as Explorer expects
            folder = os.path.dirname(f)
            if folder and folder not in folders:
                problems.append(f"no folder entry for {folder}/")
        first_ini = f"{FIRST_RUN}/Solvane.ini"
        ini = z.read(f"{top}/{first_ini}") if first_ini in files else b""
        problems += layout_problems(files, folders, ini.decode("gbk", "replace"))
        if "说明.txt" in files:
            readme = z.read(f"{top}/说明.txt")
            try:
                text = readme.decode("gbk")
                if "Solvane.exe" not in text or b"\n" in readme.replace(b"\r\n", b""):
                    problems.append("说明.txt does not read as GBK text with CRLF lines naming Solvane.exe")
            except UnicodeDecodeError:
                problems.append("说明.txt is not GBK")
        if "Solvane.exe" in files and pe_machine(z.read(f"{top}/Solvane.exe")) != PE_MACHINES[machine]:
            problems.append(f"Solvane.exe is not a {machine} program")
    for p in problems:
        print(f"check-zip: {os.path.basename(path)}: {p}", file=sys.stderr)
    return not problems


def main(argv):
    command, args = argv[1], argv[2:]
    if command == "stage":
        return 0 if stage(*args) else 1
    if command == "zip":
        write_zip(*args)
        return 0
    if command == "nsis":
        nsis_lists(*args)
        return 0
    if command == "check-zip":
        return 0 if check_zip(*args) else 1
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
