# Draws the error-icon bitmaps and the Help glyph (24-bit BMP, key colour in the top-left pixel).
# Run from the repository root: PYENV_VERSION=system python3 resources/images/draw_images.py
from PIL import Image, ImageDraw
def disc(size, key, fill, mark, markcol, box=None):
    im = Image.new("RGB", size, key)
    d = ImageDraw.Draw(im)
    w, h = size
    d.ellipse(box or (0, 0, w - 1, h - 1), fill=fill)
    mark(d, markcol)
    return im
def bang(d, c, x=5, top=2, bottom=7, dot=9):
    d.rectangle((x, top, x + 1, bottom), fill=c); d.rectangle((x, dot, x + 1, dot + 1), fill=c)
key = (255, 0, 255)
disc((12, 12), key, (204, 0, 0), bang, (255, 255, 255)).save("resources/images/error-icon.bmp")
im = Image.new("RGB", (12, 12), key); d = ImageDraw.Draw(im)
d.polygon([(5, 0), (6, 0), (11, 11), (0, 11)], fill=(240, 180, 0)); bang(d, (0, 0, 0), 5, 3, 7, 9)
im.save("resources/images/warning-icon.bmp")
def info(d, c):
    d.rectangle((6, 3, 7, 4), fill=c); d.rectangle((6, 6, 7, 11), fill=c); d.rectangle((5, 11, 8, 11), fill=c)
disc((14, 15), key, (0, 70, 200), info, (255, 255, 255), (0, 0, 13, 14)).save("resources/images/info-icon.bmp")
im = Image.new("RGB", (16, 16), (192, 192, 192)); d = ImageDraw.Draw(im)
d.ellipse((0, 0, 15, 15), fill=(0, 80, 170))
w = (255, 255, 255)
for r in [(5, 3, 10, 4), (10, 4, 11, 7), (8, 7, 10, 8), (7, 8, 8, 10), (7, 12, 8, 13), (4, 4, 5, 5)]:
    d.rectangle(r, fill=w)
im.save("resources/images/help-glyph.bmp")
