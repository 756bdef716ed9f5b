# Draws the preview, trace and zoom bars' button faces (16 x 16 PNG with alpha).
# Run from the repository root: PYENV_VERSION=system python3 resources/images/draw_preview_images.py
from PIL import Image, ImageDraw
S = 16
def new():
    im = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    return im, ImageDraw.Draw(im)
def wave(d, y, col, amp=3):
    pts = [(x, y + (amp if x % 6 in (1, 2) else (-amp if x % 6 in (4, 5) else 0))) for x in range(1, 15)]
    d.line(pts, fill=col, width=1)
blue, red, green, grey, black = (0, 70, 180, 255), (200, 20, 20, 255), (0, 130, 60, 255), (90, 90, 90, 255), (20, 20, 20, 255)
out = "resources/images/"
im, d = new(); d.rectangle((1, 2, 14, 13), outline=grey); wave(d, 8, blue); im.save(out + "preview-recorded.png")
im, d = new(); d.ellipse((3, 3, 12, 12), fill=red, outline=(120, 0, 0, 255)); im.save(out + "preview-start.png")
im, d = new(); d.rectangle((4, 3, 6, 12), fill=black); d.rectangle((9, 3, 11, 12), fill=black); im.save(out + "preview-pause.png")
im, d = new(); wave(d, 4, blue, 2); wave(d, 11, green, 2); d.line((0, 7, 15, 7), fill=grey); im.save(out + "trace-stack.png")
im, d = new(); wave(d, 8, blue); wave(d, 7, green, 2); im.save(out + "trace-overlay.png")
im, d = new(); wave(d, 8, blue); d.rectangle((0, 0, 15, 15), outline=grey); im.save(out + "trace-source.png")
im, d = new(); d.line((1, 8, 11, 8), fill=black); d.polygon([(8, 4), (12, 8), (8, 12)], fill=black); d.rectangle((13, 3, 14, 13), fill=black)
im.save(out + "zoom-follow.png")
im, d = new(); d.line((1, 8, 14, 8), fill=black); d.polygon([(1, 8), (4, 5), (4, 11)], fill=black); d.polygon([(14, 8), (11, 5), (11, 11)], fill=black)
d.line((0, 2, 0, 13), fill=grey); d.line((15, 2, 15, 13), fill=grey); im.save(out + "zoom-autoscale.png")
im, d = new(); d.polygon([(1, 4), (6, 8), (1, 12)], fill=black); d.polygon([(14, 4), (9, 8), (14, 12)], fill=black); im.save(out + "zoom-compress.png")
im, d = new(); d.polygon([(6, 4), (1, 8), (6, 12)], fill=black); d.polygon([(9, 4), (14, 8), (9, 12)], fill=black); im.save(out + "zoom-expand.png")
