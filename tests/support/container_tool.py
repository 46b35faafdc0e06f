#!/usr/bin/env python3
"""Reads and writes resource containers with struct and zlib alone, apart
from the program's own code, so the tests compare two readings of the layout.

  container_tool.py read FILE OUTDIR   prints the trailer and entries as JSON
                                       and inflates entry i into OUTDIR/i
  container_tool.py write FILE         builds FILE from a JSON description
                                       read on stdin:
    {"prefix": path, "offset": n, "password": text,
     "entries": [{"name": text, "source": path, "level": n,
                  "csize": n, "usize": n, "attr": n, "hole": n}]}
  "csize"/"usize" replace the true sizes, "hole" leaves that many bytes
  unwritten in place of the data (a sparse file), "offset" the true offset.
"""
import json
import os
import struct
import sys
import zlib

MARKER = b"<$1801%%ODCDPH$>"
SIGNATURE = b"rmResourcesFiles"
HEADER, TRAILER = 292, 28


def header(name, csize, usize, attr):
    raw = name.encode("cp1252")
    return MARKER + raw.ljust(264, b"\0") + struct.pack("<iii", csize, usize, attr)


def write(path, layout):
    prefix = b""
    if layout.get("prefix"):
        with open(layout["prefix"], "rb") as f:
            prefix = f.read()
    with open(path, "wb") as out:
        out.write(prefix)
        for e in layout.get("entries", []):
            data = b""
            if "source" in e:
                with open(e["source"], "rb") as f:
                    data = f.read()
            packed = zlib.compress(data, e.get("level", -1)) if data else b""
            out.write(header(e["name"], e.get("csize", len(packed)), e.get("usize", len(data)), e.get("attr", 32)))
            if "hole" in e:
                out.seek(e["hole"], os.SEEK_CUR)
            else:
                out.write(packed)
        password = layout.get("password", "").encode("cp1252").ljust(8, b"\0")
        out.write(SIGNATURE + struct.pack("<i", layout.get("offset", len(prefix))) + password)


def read(path, outdir):
    with open(path, "rb") as f:
        b = f.read()
    if b[-TRAILER:-TRAILER + 16] != SIGNATURE:
        raise SystemExit("no trailer")
    (offset,) = struct.unpack("<i", b[-12:-8])
    result = {"size": len(b), "offset": offset, "password": b[-8:].hex(), "entries": []}
    end, pos = len(b) - TRAILER, offset
    while pos < end:
        h = b[pos:pos + HEADER]
        if len(h) != HEADER or h[:16] != MARKER:
            raise SystemExit("no entry header at %d" % pos)
        raw = h[16:277].split(b"\0")[0]
        csize, usize, attr = struct.unpack("<iii", h[280:292])
        data = b[pos + HEADER:pos + HEADER + csize]
        content = zlib.decompress(data) if csize else b""
        index = len(result["entries"])
        with open(os.path.join(outdir, str(index)), "wb") as f:
            f.write(content)
        result["entries"].append({
            "name": raw.decode("cp1252"), "csize": csize, "usize": usize, "attr": attr,
            "zlib": data[:2].hex(), "inflated": len(content),
            "padding_zero": h[16 + len(raw):280] == b"\0" * (264 - len(raw)),
        })
        pos += HEADER + csize
    print(json.dumps(result))


if __name__ == "__main__":
    if sys.argv[1] == "read":
        read(sys.argv[2], sys.argv[3])
    else:
        write(sys.argv[2], json.load(sys.stdin))
