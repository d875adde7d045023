#!/usr/bin/env python3
"""Writes the seed corpus of the skin package fuzz target into corpus/:
small bitmap files of every depth and header form, skin packages (current
and older layout) and a stored skin blob."""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "corpus")


def bmp(width, height, bpp, rows, palette=None, compression=0, masks=None, core=False, colours_used=0):
    """A bitmap file image; rows are the stored row bytes, unpadded."""
    row_size = (width * bpp + 31) // 32 * 4
    bits = b"".join(r.ljust(row_size, b"\0") for r in rows)
    if core:
        header = struct.pack("<IHHHH", 12, width, height, 1, bpp)
        table = b"".join(struct.pack("<BBB", c & 0xFF, (c >> 8) & 0xFF, c >> 16) for c in palette or [])
    else:
        header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, compression, len(bits), 0, 0, colours_used, 0)
        table = b"".join(struct.pack("<I", c) for c in palette or [])
    extra = b"".join(struct.pack("<I", m) for m in masks or [])
    offset = 14 + len(header) + len(extra) + len(table)
    size = offset + len(bits)
    return b"BM" + struct.pack("<IHHI", size, 0, 0, offset) + header + extra + table + bits


def bitmaps():
    yield "bmp1", bmp(3, 2, 1, [b"\xa0", b"\x40"], palette=[0x000000, 0xFFFFFF])
    yield "bmp4", bmp(3, 2, 4, [b"\x01\x20", b"\xf0\x00"], palette=[i * 0x111111 for i in range(16)])
    yield "bmp8_used", bmp(2, 2, 8, [b"\x00\x02", b"\x01\x00"], palette=[0x0000FF, 0x00FF00, 0xFF0000], colours_used=3)
    yield "bmp8_core", bmp(2, 1, 8, [b"\x00\xff"], palette=[0x102030] * 256, core=True)
    yield "bmp16_555", bmp(2, 1, 16, [struct.pack("<HH", 0x7C00, 0x001F)])
    yield "bmp16_565", bmp(2, 1, 16, [struct.pack("<HH", 0xF800, 0x07E0)], compression=3, masks=[0xF800, 0x07E0, 0x001F])
    yield "bmp24", bmp(2, 2, 24, [b"\x01\x02\x03\x04\x05\x06", b"\x07\x08\x09\x0a\x0b\x0c"])
    yield "bmp32_alpha", bmp(2, 1, 32, [struct.pack("<II", 0x80102030, 0x00FFFFFF)])
    yield "bmp32_fields", bmp(1, 1, 32, [struct.pack("<I", 0x11223344)], compression=3, masks=[0xFF000000, 0x00FF0000, 0x0000FF00])


def topdown24():
    bits = b"\x01\x02\x03\x00" + b"\x04\x05\x06\x00"
    header = struct.pack("<IiiHHIIiiII", 40, 1, -2, 1, 24, 0, len(bits), 0, 0, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + 40 + len(bits), 0, 0, 54) + header + bits


def package(version, slots, active, text, extra_slots=()):
    out = struct.pack("<i", version)
    for s in list(slots) + list(extra_slots):
        out += b"\x01" if s is None else b"\x00" + s
    out += struct.pack("<i", len(active)) + b"".join(active) + text
    return out


def main():
    os.makedirs(OUT, exist_ok=True)
    made = dict(bitmaps())
    made["bmp24_topdown"] = topdown24()
    text = b"[VERSION]\r\nskinname=seed\r\n\r\n[PICTURES]\r\npicture=a.bmp\r\n"
    made["package_v3"] = package(3, [made["bmp24"], None, made["bmp4"]], [made["bmp8_used"], made["bmp1"]], text)
    made["package_v2"] = package(2, [made["bmp24"], None, None], [made["bmp16_555"]], text,
                                 extra_slots=[made["bmp1"], None])
    made["package_empty"] = package(3, [None, None, None], [], b"")
    made["package_negative_count"] = struct.pack("<i", 3) + b"\x01\x01\x01" + struct.pack("<i", -4) + text
    deflated = zlib.compress(made["package_v3"], 9)
    made["blob"] = struct.pack("<ii", 3, len(deflated)) + deflated
    for name, data in made.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
