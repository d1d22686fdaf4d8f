#!/usr/bin/env python3
"""Reads an X window dump (xwd, ZPixmap, 24 or 32 bits per pixel) from stdin
and prints the share of non-black pixels and a digest of the pixels; with
--png FILE it also writes the picture as a PNG (no imaging library needed),
with --crop X,Y,W,H it looks at that rectangle only (several --crop options
print one line each, in order)."""
import hashlib
import struct
import sys
import zlib


def read_xwd(data):
    header = struct.unpack(">25I", data[:100])
    header_size, _, pixmap_format, depth, width, height = header[:6]
    byte_order, bits_per_pixel, bytes_per_line = header[7], header[11], header[12]
    red_mask, green_mask, blue_mask = header[14:17]
    ncolors = header[19]
    if pixmap_format != 2 or bits_per_pixel not in (24, 32):
        raise SystemExit(f"xwd_stats: unsupported dump (format {pixmap_format}, {bits_per_pixel} bpp)")
    offset = header_size + ncolors * 12
    bpp = bits_per_pixel // 8
    if bpp == 4 and byte_order == 0 and (red_mask, green_mask, blue_mask) == (0xFF0000, 0xFF00, 0xFF):
        rows = []
        for y in range(height):
            line = data[offset + y * bytes_per_line: offset + y * bytes_per_line + width * 4]
            row = bytearray(width * 3)
            row[0::3], row[1::3], row[2::3] = line[2::4], line[1::4], line[0::4]
            rows.append(bytes(row))
        return width, height, rows
    rows = []
    for y in range(height):
        line = data[offset + y * bytes_per_line: offset + y * bytes_per_line + width * bpp]
        row = bytearray()
        for x in range(0, len(line), bpp):
            chunk = line[x:x + bpp]
            value = int.from_bytes(chunk, "little" if byte_order == 0 else "big")
            row += bytes((channel(value, red_mask), channel(value, green_mask), channel(value, blue_mask)))
        rows.append(bytes(row))
    return width, height, rows


def channel(value, mask):
    shift = (mask & -mask).bit_length() - 1
    return (value & mask) >> shift


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    raw = b"".join(b"\x00" + r for r in rows)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def stats(width, height, rows):
    nonblack = sum(1 for r in rows for i in range(0, len(r), 3) if r[i] or r[i + 1] or r[i + 2])
    white = sum(1 for r in rows for i in range(0, len(r), 3) if r[i] == r[i + 1] == r[i + 2] == 255)
    digest = hashlib.sha1(b"".join(rows)).hexdigest()[:16]
    area = width * height
    return f"{width}x{height} nonblack={nonblack / area:.4f} white={white / area:.4f} digest={digest}"


def main():
    width, height, rows = read_xwd(sys.stdin.buffer.read())
    args = sys.argv[1:]
    crops, png = [], None
    while args:
        option, value = args[0], args[1] if len(args) > 1 else None
        if value is None or option not in ("--crop", "--png"):
            raise SystemExit("usage: xwd_stats.py [--crop X,Y,W,H]... [--png FILE]")
        if option == "--crop":
            crops.append(tuple(int(v) for v in value.split(",")))
        else:
            png = value
        args = args[2:]
    if not crops:
        print(stats(width, height, rows))
    for x, y, w, h in crops:
        print(stats(w, h, [r[x * 3:(x + w) * 3] for r in rows[y:y + h]]))
    if png:
        write_png(png, width, height, rows)


main()
