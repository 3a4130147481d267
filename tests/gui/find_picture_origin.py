"""Prints "X Y H" for the editor's picture in a raw RGB screenshot SHOT_W pixels wide: its top
left corner, found as the first black run of WIDTH pixels (the picture's top outline) whose
first pixel heads a black column (its left outline), and H, the visible height: the picture's
second column is only white or black (left of the tool buttons), what lies below the window is
neither. Exit status 1 when there is none.

    find_picture_origin.py SHOT.rgb SHOT_W WIDTH"""
import sys


def main():
    pixels = open(sys.argv[1], "rb").read()
    w, width = int(sys.argv[2]), int(sys.argv[3])
    h = len(pixels) // (3 * w)
    black, white = b"\0\0\0", b"\xff\xff\xff"

    def pixel(x, y):
        start = (y * w + x) * 3
        return pixels[start:start + 3]

    for y in range(h - 4):
        row = pixels[y * w * 3:(y + 1) * w * 3]
        x = row.find(black * width)
        while x >= 0:
            px = x // 3
            if x % 3 == 0 and all(pixel(px, y + dy) == black for dy in range(1, 4)):
                height = 1
                while y + height < h and pixel(px + 1, y + height) in (black, white):
                    height += 1
                print(px, y, height)
                return 0
            x = row.find(black * width, x + 1)
    return 1


sys.exit(main())
