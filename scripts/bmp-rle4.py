#!/usr/bin/env python3
"""Rewrites a 16-colour (4 bits a pixel) BMP file in place, run-length
encoded (BI_RLE4): the program's flat drawings shrink to a third, and every
Windows loads such a bitmap. Only runs of one colour are written, which is
all these drawings need."""

import struct
import sys


def encode_row(pixels):
    out = bytearray()
    i = 0
    while i < len(pixels):
        colour = pixels[i]
        run = 1
        while i + run < len(pixels) and pixels[i + run] == colour and run < 255:
            run += 1
        out += bytes([run, colour << 4 | colour])
        i += run
    return out + b"\x00\x00"  # end of line


def main(path):
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    header_size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if bits != 4 or compression != 0 or height < 0:
        sys.exit("%s: not a plain bottom-up 16-colour BMP" % path)
    stride = (width * 4 + 31) // 32 * 4
    body = bytearray()
    for row in range(height):  # bottom-up, as stored
        line = data[offset + row * stride:offset + (row + 1) * stride]
        pixels = [line[x // 2] >> 4 if x % 2 == 0 else line[x // 2] & 15 for x in range(width)]
        body += encode_row(pixels)
    body[-2:] = b"\x00\x01"  # the last end of line becomes the end of the bitmap
    info = bytearray(data[14:offset])
    struct.pack_into("<II", info, 16, 2, len(body))  # BI_RLE4, image size
    out = bytearray(data[:14]) + info + body
    struct.pack_into("<I", out, 2, len(out))
    open(path, "wb").write(out)


if __name__ == "__main__":
    for name in sys.argv[1:]:
        main(name)
