#!/usr/bin/env python3
"""Writes the Task Manager button's animation, bt_queue_ani.gif (34 x 28).

Qt writes no GIF, so this small script draws the frames itself (an upload
arrow rising and a download arrow falling, as in the still image bt_queue)
and encodes them with Python's standard library only. The checked-in file
was made with:

    python3 ui-client/tools/make_queue_gif.py ui-client/resource/images/bt_queue_ani.gif
"""
import struct
import sys

WIDTH, HEIGHT = 34, 28
FRAMES = 8
DELAY_CS = 10  # hundredths of a second per frame
# index 0 is transparent
PALETTE = [(255, 255, 255), (0x2F, 0x7C, 0xC4), (0x3F, 0xA3, 0x4D), (0x50, 0x5A, 0x64)]


def arrow(pixels, cx, tip_y, up, colour):
    """An arrow 19 rows long with its tip at tip_y; rows outside are clipped."""
    step = 1 if up else -1  # from the tip toward the tail
    for i in range(19):
        y = tip_y + i * step
        if not 0 <= y < HEIGHT:
            continue
        half = i if i < 6 else 2  # head widens by one each row, then the shaft
        for x in range(cx - half, cx + half + 1):
            if 0 <= x < WIDTH:
                pixels[y][x] = colour


def frame(n):
    pixels = [[0] * WIDTH for _ in range(HEIGHT)]
    shift = n * 3
    # upload arrow: rises and wraps
    for offset in (0, 28):
        arrow(pixels, 11, 4 - shift + offset, True, 1)
    # download arrow: falls and wraps
    for offset in (0, -28):
        arrow(pixels, 23, 23 + shift + offset, False, 2)
    return pixels


def lzw(indices, min_code_size):
    """GIF's variable-width LZW; returns the packed bytes."""
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    bits = 0
    nbits = 0

    def emit(code, width):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    def reset():
        return {(i,): i for i in range(clear)}, end + 1, min_code_size + 1

    table, next_code, width = reset()
    emit(clear, width)
    current = ()
    for idx in indices:
        candidate = current + (idx,)
        if candidate in table:
            current = candidate
            continue
        emit(table[current], width)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear, width)
            table, next_code, width = reset()
        current = (idx,)
    if current:
        emit(table[current], width)
    emit(end, width)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def sub_blocks(data):
    out = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    return bytes(out)


def gif():
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", WIDTH, HEIGHT, 0xF1, 0, 0)  # global table of 4 colours
    for r, g, b in PALETTE:
        out += bytes((r, g, b))
    # loop for ever
    out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    for n in range(FRAMES):
        # graphic control: restore to background, transparent index 0
        out += b"\x21\xF9\x04" + struct.pack("<BHB", 0x09, DELAY_CS, 0) + b"\x00"
        out += b"\x2C" + struct.pack("<HHHHB", 0, 0, WIDTH, HEIGHT, 0)
        pixels = frame(n)
        indices = [p for row in pixels for p in row]
        out.append(2)  # minimum code size
        out += sub_blocks(lzw(indices, 2))
    out += b"\x3B"
    return bytes(out)


def main():
    if len(sys.argv) != 2:
        sys.stderr.write("usage: make_queue_gif.py <output.gif>\n")
        return 2
    with open(sys.argv[1], "wb") as f:
        f.write(gif())
    return 0


if __name__ == "__main__":
    sys.exit(main())
