// Hexadecimal digits as the program's text files write bytes with them: the
// stored structures of its INI files and the escapes of its state files.
// Written in upper case; read in either case.
#pragma once

// The digit of the low four bits of `value`.
inline char HexDigitOf(unsigned value) { return "0123456789ABCDEF"[value & 0x0F]; }

// The value of a hex digit; -1 for any other byte.
inline int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
