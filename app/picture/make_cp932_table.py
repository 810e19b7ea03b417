#!/usr/bin/env python3
# Writes cp932_table.cpp: the Unicode character of every double-byte
# Shift_JIS (code page 932) character, from Python's own cp932 codec. Run by
# hand when the table is to be made again; the build only compiles its result.
#   app/picture/make_cp932_table.py > app/picture/cp932_table.cpp

LEADS = list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD))
TRAILS = range(0x40, 0xFD)


def unicode_of(lead, trail):
    try:
        text = bytes([lead, trail]).decode("cp932")
    except UnicodeDecodeError:
        return 0
    return ord(text) if len(text) == 1 and ord(text) <= 0xFFFF else 0


def main():
    print("// Made by make_cp932_table.py; do not edit.")
    print()
    print('#include "app/picture/cp932_table.h"')
    print()
    print("namespace kx27 {")
    print()
    print("const std::uint16_t kCp932DoubleByte[kCp932Leads][kCp932Trails] = {")
    for lead in LEADS:
        print("    {  // 0x%02X" % lead)
        values = [unicode_of(lead, trail) for trail in TRAILS]
        for start in range(0, len(values), 12):
            print("        " + " ".join("0x%04X," % v for v in values[start:start + 12]))
        print("    },")
    print("};")
    print()
    print("}  // namespace kx27")


main()
