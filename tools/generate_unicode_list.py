#!/usr/bin/env python3
"""Writes data/PHOT_KQ4/unicode_list.dat, the Unicode character list of the current format.

The list is the set of UTF-16 units that a value may hold after the character replacement: 7043
units, little-endian, ascending, no header. It holds

  6879  the characters of JIS X 0208 (rows 1 to 8 with 524 symbols, letters and kana; rows 16
        to 84 with the 6355 kanji of both levels), as Windows decodes them from code page 932
        (lead bytes 0x81-0x84, 0x88-0x9F and 0xE0-0xEA of Microsoft's table; the NEC and IBM
        extensions and the user-defined area are not JIS X 0208 and stay out);
     6  the units that the standard Shift_JIS decoding gives where Windows differs for the same
        JIS X 0208 character: U+301C WAVE DASH, U+2016 DOUBLE VERTICAL LINE, U+2212 MINUS SIGN,
        U+00A2 CENT SIGN, U+00A3 POUND SIGN, U+00AC NOT SIGN (Windows: U+FF5E, U+2225, U+FF0D,
        U+FFE0, U+FFE1, U+FFE2), so that a value written by either kind of tool passes, and the
        replacement table can map the Windows forms onto the standard ones;
    95  ASCII printable, U+0020 to U+007E (half-width letters, digits, symbols and the blank);
    63  half-width katakana, U+FF61 to U+FF9F (JIS X 0201); whether an element may use them is
        decided by its character set.

Characters outside these, such as the NEC and IBM extensions (circled digits, roman numerals,
"髙"), characters beyond the BMP and control characters, are reported as not listed.

Usage: generate_unicode_list.py [OUTPUT]; by default data/PHOT_KQ4/unicode_list.dat of the
repository. The table is tools/cp932/bestfit932.txt.
"""

import pathlib
import struct
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE / "cp932"))
import generate_cp932_table  # noqa: E402

LIST_LENGTH = 7043
JIS_X_0208_LEADS = [*range(0x81, 0x85), *range(0x88, 0xA0), *range(0xE0, 0xEB)]
JIS_X_0208_COUNT = 6879
STANDARD_FORMS = [0x301C, 0x2016, 0x2212, 0x00A2, 0x00A3, 0x00AC]
ASCII_PRINTABLE = range(0x20, 0x7F)
HALF_WIDTH_KATAKANA = range(0xFF61, 0xFFA0)


def jis_x_0208_units(table):
    _, _, double, _ = generate_cp932_table.parse(table)
    units = [unit for lead in JIS_X_0208_LEADS for unit in double[lead].values()]
    if len(units) != JIS_X_0208_COUNT or len(set(units)) != len(units):
        raise ValueError(f"{len(units)} JIS X 0208 units, expected {JIS_X_0208_COUNT} distinct")
    return units


def main(argv):
    output = pathlib.Path(argv[1]) if len(argv) > 1 else HERE.parent / "data" / "PHOT_KQ4" / "unicode_list.dat"
    parts = [jis_x_0208_units(generate_cp932_table.DEFAULT_TABLE), STANDARD_FORMS,
             ASCII_PRINTABLE, HALF_WIDTH_KATAKANA]
    units = sorted(set().union(*parts))
    if len(units) != sum(len(part) for part in parts) or len(units) != LIST_LENGTH:
        print(f"generate_unicode_list: {len(units)} units, expected {LIST_LENGTH} distinct",
              file=sys.stderr)
        return 1
    output.write_bytes(b"".join(struct.pack("<H", unit) for unit in units))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
