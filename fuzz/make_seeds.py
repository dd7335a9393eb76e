#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpus: a few tiny, valid files per reader.

Usage: make_seeds.py <project folder> <corpus folder>
Creates <corpus folder>/<target>/ for every target; existing files stay, so
the corpus the fuzzers have grown is kept between runs.
"""
import pathlib
import shutil
import struct
import sys


def u16(*values):
    return b"".join(struct.pack("<H", v & 0xFFFF) for v in values)


def u32(*values):
    return b"".join(struct.pack("<I", v & 0xFFFFFFFF) for v in values)


def dib(width, height, bits, pixels, palette=b"", compression=0):
    """A BITMAPINFOHEADER with its palette and pixel rows."""
    colours = len(palette) // 4
    return (u32(40, width, height) + u16(1, bits) + u32(compression, len(pixels), 2835, 2835, colours, 0)
            + palette + pixels)


def bmp(width, height, bits, pixels, palette=b"", compression=0):
    body = dib(width, height, bits, pixels, palette, compression)
    offset = 14 + 40 + len(palette)
    return b"BM" + u32(14 + len(body), 0, offset) + body


def rows24(width, height):
    stride = (width * 3 + 3) & ~3
    out = b""
    for y in range(height):
        line = b"".join(bytes((40 * x, 80 * y % 256, 200)) for x in range(width))
        out += line + b"\0" * (stride - len(line))
    return out


def bmp_seeds():
    grey = b"".join(bytes((v, v, v, 0)) for v in (0, 255))
    yield "rgb24", bmp(4, 3, 24, rows24(4, 3))
    yield "pal8", bmp(2, 2, 8, bytes((0, 1, 0, 0, 1, 0, 0, 0)), grey)
    rle = bytes((2, 0, 0, 0, 2, 1, 0, 0, 0, 1))  # two rows of two pixels, end of bitmap
    yield "rle8", bmp(2, 2, 8, rle, grey, compression=1)
    masks = u32(0xF800, 0x07E0, 0x001F)
    yield "bitfields16", bmp(2, 1, 16, masks + u16(0xF800, 0x001F), compression=3)


def ico_seeds():
    width = height = 4
    pixels = b"".join(bytes((0, 0, 255, 255)) for _ in range(width * height))
    mask = b"\0\0\0\0" * height
    image = dib(width, height * 2, 32, pixels + mask)
    directory = u16(0, 1, 1) + bytes((width, height, 0, 0)) + u16(1, 32) + u32(len(image), 22)
    yield "argb4", directory + image


def gif_seeds(project):
    # 2 x 2, two colours, LZW codes 4 (clear), 0, 1, 1, 0, 5 (end) at 3 bits.
    codes = [4, 0, 1, 1, 0, 5]
    bits = sum(c << (3 * i) for i, c in enumerate(codes))
    lzw = bits.to_bytes((3 * len(codes) + 7) // 8, "little")
    gif = (b"GIF89a" + u16(2, 2) + bytes((0x80, 0, 0)) + b"\0\0\0\xff\xff\xff"
           + b"," + u16(0, 0, 2, 2) + b"\0\x02" + bytes((len(lzw),)) + lzw + b"\0;")
    yield "two", gif
    yield "warning", (project / "data/pic/warning.gif").read_bytes()


def exif(orientation, big=False, count=1, first=8, next_ifd=0):
    """An EXIF block: IFD0 at first, holding one orientation entry (SHORT)
    but claiming count entries, chained to next_ifd."""
    order = ">" if big else "<"
    tiff = (b"MM" if big else b"II") + struct.pack(order + "HI", 42, first)
    tiff += b"\0" * (first - 8)
    tiff += struct.pack(order + "HHHIHHI", count, 0x0112, 3, 1, orientation, 0, next_ifd)
    return b"Exif\0\0" + tiff


def with_app1(jpeg, block):
    """The JPEG with the block as an APP1 segment right after its start marker."""
    return jpeg[:2] + b"\xff\xe1" + struct.pack(">H", len(block) + 2) + block + jpeg[2:]


def jpg_seeds(project):
    pictures = {name: (project / f"data/pic/{name}.jpg").read_bytes() for name in ("hline", "vline")}
    yield from pictures.items()
    # EXIF orientation, as camera files carry it, and hostile blocks; the
    # target also reads each input as a bare block.
    yield "exif-6-mm", with_app1(pictures["hline"], exif(6, big=True))
    yield "exif-3-ii", with_app1(pictures["vline"], exif(3))
    yield "exif-8-loop", with_app1(pictures["hline"], exif(8, next_ifd=8))
    yield "exif-huge-count", with_app1(pictures["vline"], exif(5, count=0xFFFF))
    yield "exif-outside", with_app1(pictures["hline"], exif(7)[:10] + struct.pack("<I", 0xFFFFFFF0) + exif(7)[14:])
    yield "exif-cut", with_app1(pictures["vline"], exif(6)[:20])
    yield "exif-bare-7", exif(7, first=12)
    yield "exif-bare-bad-order", b"Exif\0\0IM" + exif(6)[8:]


def wmf(records, width=48, height=32, inch=1440):
    units = inch // 96
    placeable = u32(0x9AC6CDD7) + u16(0, 0, 0, width * units, height * units, inch) + u32(0)
    checksum = 0
    for i in range(10):
        checksum ^= struct.unpack_from("<H", placeable, 2 * i)[0]
    placeable += u16(checksum)
    body = b"".join(u32(3 + len(words)) + u16(function, *words) for function, words in records)
    body += u32(3) + u16(0)
    header = u16(1, 9, 0x0300) + u32((18 + len(body)) // 2) + u16(2) + u32(7) + u16(0)
    return placeable + header + body


def wmf_seeds():
    w, h = 48 * 15, 32 * 15
    frame = [(0x020B, [0, 0]), (0x020C, [h, w])]
    brush = [(0x02FC, [0, 0x00FF, 0x0000, 0]), (0x012D, [0])]
    pen = [(0x02FA, [0, 2, 0, 0x00FF, 0]), (0x012D, [1])]
    yield "rectangle", wmf(frame + brush + [(0x041B, [h, w, 0, 0])])
    yield "shapes", wmf(frame + brush + pen + [
        (0x0418, [h, w, 0, 0]),                          # Ellipse
        (0x0324, [3, 0, 0, w, 0, 0, h]),                 # Polygon
        (0x0325, [2, 0, 0, w, h]),                       # Polyline
        (0x0213, [h // 2, w // 2]),                      # LineTo
    ])
    text = b"Hi"
    yield "text", wmf(frame + [(0x0521, [len(text)] + list(struct.unpack("<H", text)) + [10, 10])])


def emf(records, width=48, height=32):
    frame_w, frame_h = round(width * 2540 / 96), round(height * 2540 / 96)
    body = b"".join(u32(kind, 8 + len(data)) + data for kind, data in records)
    body += u32(14, 20, 0, 16, 20)
    header = (u32(1, 88, 0, 0, width - 1, height - 1, 0, 0, frame_w, frame_h, 0x464D4520, 0x10000,
                  88 + len(body), len(records) + 2) + u16(0, 0) + u32(0, 0, 0, 1024, 768, 320, 240))
    return header + body


def emf_seeds():
    brush = [(39, u32(1, 0, 0x0000FF, 0)), (37, u32(1))]
    pen = [(38, u32(2, 0, 2, 0, 0x00FF00)), (37, u32(2))]
    yield "rectangle", emf(brush + [(43, u32(0, 0, 48, 32))])
    yield "shapes", emf(brush + pen + [
        (42, u32(0, 0, 48, 32)),                                     # Ellipse
        (86, u32(0, 0, 48, 32, 3) + u16(0, 0, 48, 0, 0, 32)),        # Polygon16
        (87, u32(0, 0, 48, 32, 2) + u16(0, 0, 48, 32)),              # Polyline16
        (27, u32(4, 4)), (54, u32(40, 28)),                          # MoveTo, LineTo
    ])


def measurements_file(entries, photo=None, version=1):
    photo = photo or '{ "file": "portrait.jpg", "width": 512, "height": 512, "sha256": "%s" }' % ("0f" * 32)
    rows = ",\n".join("    " + e for e in entries)
    return ('{\n  "format": "orvessa-measurements",\n  "version": %s,\n  "photo": %s,\n  "measurements": [\n%s\n  ]\n}\n'
            % (version, photo, rows)).encode()


def measurements_seeds():
    def entry(n, left, top, right, bottom, placed="manual"):
        return ('{ "number": %d, "left": %s, "top": %s, "right": %s, "bottom": %s, "placed": "%s" }'
                % (n, left, top, right, bottom, placed))
    yield "one", measurements_file([entry(1, 200.5, 390, 262.5, 393)])
    yield "eleven", measurements_file([entry(n, 10 * n, 0.1, 1e-45, 33.333332, "auto" if n % 2 else "manual")
                                       for n in range(1, 12)])
    yield "none", measurements_file([])
    # Refused ones: each stops at a different check.
    yield "repeat", measurements_file([entry(4, 1, 2, 3, 4), entry(4, 1, 2, 3, 4)])
    yield "far", measurements_file([entry(2, -5121, 0, 0, 0)])
    yield "version", measurements_file([], version=2)
    yield "photo", measurements_file([], photo='{ "file": "", "width": 0 }')
    yield "deep", b"[" * 5000 + b"]" * 5000


def main():
    project, corpus = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    seeds = {
        "photo_jpg": jpg_seeds(project),
        "photo_bmp": bmp_seeds(),
        "photo_ico": ico_seeds(),
        "photo_gif": gif_seeds(project),
        "gif_decoder": gif_seeds(project),
        "photo_wmf": wmf_seeds(),
        "photo_emf": emf_seeds(),
        "measurements": measurements_seeds(),
    }
    for target, files in seeds.items():
        folder = corpus / target
        folder.mkdir(parents=True, exist_ok=True)
        for name, data in files:
            (folder / f"seed-{name}").write_bytes(data)
    for target, source in (("langfile", "data/lng"), ("template", "data/res")):
        folder = corpus / target
        folder.mkdir(parents=True, exist_ok=True)
        for path in sorted((project / source).iterdir()):
            shutil.copyfile(path, folder / f"seed-{path.name}")


if __name__ == "__main__":
    main()
