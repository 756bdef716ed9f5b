# Draws the detector pages' group bitmaps and the slider's thumb (24-bit BMP, key colour in the top-left pixel).
# Run from the repository root: PYENV_VERSION=system python3 resources/images/draw_detector_images.py
from PIL import Image, ImageDraw
key = (255, 0, 255)
# Stimulus artifacts: a square stimulus pulse over a base line.
im = Image.new("RGB", (16, 16), key); d = ImageDraw.Draw(im)
d.line([(0, 12), (5, 12), (5, 3), (8, 3), (8, 12), (15, 12)], fill=(0, 70, 200), width=2)
im.save("resources/images/stimulus-group.bmp")
# Detection: a peak with its detected top marked.
im = Image.new("RGB", (16, 16), key); d = ImageDraw.Draw(im)
d.line([(0, 13), (4, 12), (7, 4), (9, 9), (12, 12), (15, 13)], fill=(0, 120, 0), width=2)
d.ellipse((5, 0, 9, 4), outline=(204, 0, 0))
im.save("resources/images/detection-group.bmp")
# Thumb of the horizontal slider, pointing down at the ticks below.
im = Image.new("RGB", (11, 20), key); d = ImageDraw.Draw(im)
d.polygon([(0, 0), (10, 0), (10, 14), (5, 19), (0, 14)], fill=(212, 208, 200), outline=(64, 64, 64))
im.save("resources/images/slider-thumb.bmp")
