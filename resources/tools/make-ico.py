#!/usr/bin/env python3
"""Pack PNG images into a multi-size Windows .ico file.

Usage: make-ico.py OUT.ico IN1.png [IN2.png ...]

Entries are stored PNG-compressed (supported since Windows Vista), so
no pixel conversion is needed and only the standard library is used.
"""
import struct
import sys

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def png_size(data, name):
    # The IHDR chunk always comes first and holds width and height.
    if data[:8] != PNG_SIGNATURE or data[12:16] != b"IHDR":
        sys.exit(f"make-ico: {name} is not a PNG file")
    width, height = struct.unpack(">II", data[16:24])
    if not (1 <= width <= 256 and 1 <= height <= 256):
        sys.exit(f"make-ico: {name} is {width}x{height}, ICO allows at most 256")
    return width, height


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__.strip())
    out, inputs = argv[1], argv[2:]
    images = []
    for name in inputs:
        with open(name, "rb") as f:
            data = f.read()
        images.append((png_size(data, name), data))
    # Smallest first is the conventional order.
    images.sort(key=lambda item: item[0])

    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, blobs = b"", b""
    for (width, height), data in images:
        # 256 is written as 0 because the fields are one byte wide.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256,
                               0, 0, 1, 32, len(data), offset)
        blobs += data
        offset += len(data)
    with open(out, "wb") as f:
        f.write(header + entries + blobs)


if __name__ == "__main__":
    main(sys.argv)
