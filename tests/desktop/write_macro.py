#!/usr/bin/env python3
"""Writes a macro file (.mcr) from a plain description, for the desktop tests.

The description is UTF-8 text, one record a line: the keyword, a tab, then the
parameter string (a line without a tab is a record with empty parameters).
Empty lines and lines starting with "#" are passed over.

Each record takes 277 bytes: a length byte and 20 bytes for the keyword, then
a length byte and 255 bytes for the parameters, both in Windows-1252; unused
bytes are zero. No header, no count.

    write_macro.py OUT.mcr [DESCRIPTION]    (the description from stdin without one)
"""
import struct
import sys

KEYWORD_ROOM = 20
PARAMS_ROOM = 255


def field(text, room, what, line_no):
    data = text.encode("cp1252")  # fails on characters Windows-1252 lacks
    if len(data) > room:
        raise ValueError(f"line {line_no}: {what} longer than {room} bytes: {text!r}")
    return struct.pack(f"B{room}s", len(data), data)  # the tail is zero-filled


def record(keyword, params, line_no):
    return field(keyword, KEYWORD_ROOM, "keyword", line_no) + field(params, PARAMS_ROOM, "parameters", line_no)


def encode(description):
    out = bytearray()
    for line_no, line in enumerate(description.split("\n"), 1):
        line = line.rstrip("\r")
        if not line or line.startswith("#"):
            continue
        keyword, _, params = line.partition("\t")
        out += record(keyword, params, line_no)
    return bytes(out)


def main(argv):
    if len(argv) not in (2, 3):
        sys.stderr.write(__doc__)
        return 2
    if len(argv) == 3:
        with open(argv[2], encoding="utf-8", newline="") as f:
            description = f.read()
    else:
        description = sys.stdin.buffer.read().decode("utf-8")
    try:
        data = encode(description)
    except (ValueError, UnicodeEncodeError) as e:
        sys.stderr.write(f"write_macro: {e}\n")
        return 1
    with open(argv[1], "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
