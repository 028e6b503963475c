#!/usr/bin/env python3
"""Writes common/charset_tables.inc: the upper halves (bytes 0x80..0xFF) of
the 8-bit charsets that dictionaries, pattern files and thesauri declare, from
Python's codec tables (Unicode's mappings). A byte a charset leaves undefined
decodes as U+FFFD. Run it again only to add a charset; the tests compare every
table with the C library's iconv."""
import sys

# In the order of the FORMAT_* ids of common/file.h, from FORMAT_ISO8859_2.
CHARSETS = [
    ("ISO8859-2", "iso8859_2"), ("ISO8859-3", "iso8859_3"), ("ISO8859-4", "iso8859_4"),
    ("ISO8859-5", "iso8859_5"), ("ISO8859-6", "iso8859_6"), ("ISO8859-7", "iso8859_7"),
    ("ISO8859-8", "iso8859_8"), ("ISO8859-9", "iso8859_9"), ("ISO8859-10", "iso8859_10"),
    ("ISO8859-13", "iso8859_13"), ("ISO8859-14", "iso8859_14"), ("ISO8859-15", "iso8859_15"),
    ("KOI8-R", "koi8_r"), ("KOI8-U", "koi8_u"), ("microsoft-cp1251", "cp1251"),
    ("TIS620-2533", "tis_620"),
]

out = ["// Made by common/gen/make_charset_tables.py: do not edit.",
       "// Bytes 0x80..0xFF of each charset, in the order of its format id."]
out.append("constexpr char16_t kCharsetUpperHalves[%d][128] = {" % len(CHARSETS))
for name, codec in CHARSETS:
    units = []
    for b in range(0x80, 0x100):
        try:
            units.append(ord(bytes([b]).decode(codec)))
        except UnicodeDecodeError:
            units.append(0xFFFD)
    out.append("    // %s" % name)
    out.append("    {")
    for row in range(0, 128, 8):
        out.append("        " + ", ".join("0x%04X" % u for u in units[row:row + 8]) + ",")
    out.append("    },")
out.append("};")
open(sys.argv[1] if len(sys.argv) > 1 else "charset_tables.inc", "w").write("\n".join(out) + "\n")
