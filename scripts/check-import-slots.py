#!/usr/bin/env python3
"""Checks, from the PE file alone, that every imported function of a Windows
program can be reached: no call through an import slot can jump to nowhere.

Windows' loader fills the ordinary import slots by name, so for them each slot
must name a function (a hint/name entry inside the image, or an ordinal). A
delay-loaded slot is different: nothing fills it before its first call, which
jumps to whatever the file holds there. That must be the second half of the
function's stub, which hands the slot's own address to the delay-load helper:
`mov eax, slot; jmp tailmerge` on i686, `lea rax, [rip+slot]; jmp tailmerge` on
x86_64. A slot left 0 or pointing elsewhere crashes the program at that call.

GNU ld does not fill the delay-import entry of the data directory, so the
descriptors dlltool writes (attributes 1, then RVAs of the DLL's name, its
handle, the slots and the names) are found by scanning the image for them.

Usage: check-import-slots.py PROGRAM.exe ...   (exit status 1 when any slot
does not resolve; one line per fault, then a summary per program)
"""
import re
import struct
import sys

EXECUTE = 0x20000000


class Image:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        d = self.data
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        if d[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", d, pe + 4)
        optional = pe + 24
        self.wide = struct.unpack_from("<H", d, optional)[0] == 0x20B
        self.arch = {0x14C: "i686", 0x8664: "x86_64"}.get(machine, hex(machine))
        if self.wide:
            self.base = struct.unpack_from("<Q", d, optional + 24)[0]
            directories = optional + 112
        else:
            self.base = struct.unpack_from("<I", d, optional + 28)[0]
            directories = optional + 96
        self.directories = [struct.unpack_from("<II", d, directories + 8 * i) for i in range(16)]
        self.sections = []
        for i in range(sections):
            s = optional + optional_size + 40 * i
            virtual_size, rva, raw_size, raw = struct.unpack_from("<IIII", d, s + 8)
            flags = struct.unpack_from("<I", d, s + 36)[0]
            self.sections.append((rva, max(virtual_size, raw_size), raw, raw_size, flags))
        self.pointer = 8 if self.wide else 4

    def offset(self, rva):  # file offset of an RVA held in the file, or None
        for start, size, raw, raw_size, _ in self.sections:
            if start <= rva < start + min(size, raw_size):
                return raw + rva - start
        return None

    def executable(self, rva):
        return any(start <= rva < start + size and flags & EXECUTE
                   for start, size, _, _, flags in self.sections)

    def dword(self, rva):
        o = self.offset(rva)
        return None if o is None else struct.unpack_from("<I", self.data, o)[0]

    def slot(self, rva):
        o = self.offset(rva)
        return None if o is None else struct.unpack_from("<Q" if self.wide else "<I", self.data, o)[0]

    def text(self, rva, limit=256):
        o = self.offset(rva)
        if o is None:
            return None
        end = self.data.find(b"\0", o, o + limit)
        return None if end < 0 else self.data[o:end].decode("latin-1")

    def names(self, table_rva):  # the entries of a name table: (function name or "#ordinal", or None if damaged)
        ordinal_flag = 1 << (63 if self.wide else 31)
        i = 0
        while True:
            entry = self.slot(table_rva + i * self.pointer)
            if entry is None:
                yield None
                return
            if entry == 0:
                return
            if entry & ordinal_flag:
                yield "#%d" % (entry & 0xFFFF)
            else:
                name = self.text(entry + 2) if entry < (1 << 32) else None
                yield name if name else None
            i += 1


DLL_NAME = re.compile(r"^[A-Za-z0-9_.\-]+\.dll$", re.IGNORECASE)


def delay_descriptors(image):
    """(DLL name, slots RVA, names RVA) of each delay-import descriptor."""
    found = {}
    d = image.data
    for start, size, raw, raw_size, _ in image.sections:
        for o in range(raw, raw + raw_size - 32 + 1, 4):
            attributes, name, handle, slots, names, bound, unload, stamp = struct.unpack_from("<8I", d, o)
            if attributes != 1 or not name or not slots or not names:
                continue
            dll = image.text(name, 64)
            if not dll or not DLL_NAME.match(dll):
                continue
            if image.offset(handle) is None and not any(s <= handle < s + z for s, z, _, _, _ in image.sections):
                continue
            if image.offset(slots) is None or image.offset(names) is None:
                continue
            found[start + o - raw] = (dll, slots, names)
    # The data directory, where a linker fills it, names the same descriptors.
    rva, size = image.directories[13]
    i = 0
    while rva and size and i * 32 < size:
        fields = [image.dword(rva + i * 32 + 4 * k) for k in range(8)]
        if None in fields or fields[1] == 0:
            break
        found.setdefault(rva + i * 32, (image.text(fields[1], 64) or "?", fields[3], fields[4]))
        i += 1
    return [found[k] for k in sorted(found)]


def stub_hands_over(image, target_rva, slot_rva):
    """Whether the code at target_rva gives the delay-load helper this slot."""
    o = image.offset(target_rva)
    if o is None or not image.executable(target_rva):
        return False
    code = image.data[o:o + 12]
    if image.wide:  # lea rax, [rip + d]; jmp rel32
        if code[:3] != b"\x48\x8d\x05" or code[7:8] != b"\xe9":
            return False
        named = target_rva + 7 + struct.unpack_from("<i", code, 3)[0]
        jump = target_rva + 12 + struct.unpack_from("<i", code, 8)[0]
    else:  # mov eax, imm32; jmp rel32
        if code[:1] != b"\xb8" or code[5:6] != b"\xe9":
            return False
        named = struct.unpack_from("<I", code, 1)[0] - image.base
        jump = target_rva + 10 + struct.unpack_from("<i", code, 6)[0]
    return named == slot_rva and image.executable(jump)


def check(path):
    image = Image(path)
    faults = []
    delayed = 0
    descriptors = delay_descriptors(image)
    for dll, slots, names in descriptors:
        for i, name in enumerate(image.names(names)):
            slot_rva = slots + i * image.pointer
            value = image.slot(slot_rva)
            delayed += 1
            if name is None:
                faults.append("%s: delay-load name entry %d is damaged" % (dll, i))
            elif not value:
                faults.append("%s!%s: delay-load slot is 0" % (dll, name))
            elif not stub_hands_over(image, value - image.base, slot_rva):
                faults.append("%s!%s: delay-load slot 0x%x is not its stub" % (dll, name, value))
    imported = 0
    rva, size = image.directories[1]
    dlls = 0
    i = 0
    while rva and True:
        fields = [image.dword(rva + i * 20 + 4 * k) for k in range(5)]
        if None in fields:
            faults.append("import descriptor %d lies outside the image" % i)
            break
        names, _, _, dll_name, slots = fields
        if dll_name == 0 and slots == 0:
            break
        dll = image.text(dll_name, 64) or "?"
        dlls += 1
        from_names = list(image.names(names or slots))
        from_slots = list(image.names(slots))
        for k, name in enumerate(from_names):
            imported += 1
            if name is None:
                faults.append("%s: import %d names no function" % (dll, k))
            elif k >= len(from_slots) or from_slots[k] != name:
                faults.append("%s!%s: import slot does not name the function" % (dll, name))
        i += 1
    return image.arch, faults, delayed, len(descriptors), imported, dlls


def main(paths):
    bad = False
    for path in paths:
        try:
            arch, faults, delayed, delayed_dlls, imported, dlls = check(path)
        except (OSError, ValueError, struct.error) as e:
            print("%s: cannot be read: %s" % (path, e))
            bad = True
            continue
        for fault in faults:
            print("%s: %s" % (path, fault))
        print("%s (%s): %d delay-load slots in %d DLLs, %d imports from %d DLLs, %s" %
              (path, arch, delayed, delayed_dlls, imported, dlls,
               "%d do not resolve" % len(faults) if faults else "all resolve"))
        bad = bad or bool(faults)
    return 1 if bad else 0


if __name__ == "__main__":
    if len(sys.argv) < 2:
        print("usage: check-import-slots.py PROGRAM.exe ...", file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1:]))
