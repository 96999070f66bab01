#!/usr/bin/python3
"""Packs PNG pictures into one Windows icon file, each picture as it is: Windows reads PNG
icons since Vista, so the small sizes keep the art generator's own pixels.

    windows-ico.py OUT.ico IN.png...
"""
import struct
import sys


def main():
    out, images = sys.argv[1], [open(path, "rb").read() for path in sys.argv[2:]]
    for path, data in zip(sys.argv[2:], images):
        if data[:8] != b"\x89PNG\r\n\x1a\n":
            sys.exit("windows-ico: %s is not a PNG file" % path)
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for data in images:
        width, height = struct.unpack(">II", data[16:24])  # the PNG's header chunk
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data),
                                 offset)
        offset += len(data)
    with open(out, "wb") as f:
        f.write(directory + b"".join(images))


if __name__ == "__main__":
    main()
