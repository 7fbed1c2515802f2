"""The labels' captions are drawn: a screenshot shows ink inside every label's box and none in a blank
strip between two rows of labels."""

import harness
from harness import check

SCREEN = harness.ini_text([("screen", [("x", "1500"), ("y", "750")])])
EDITOR_FRAME = (120, 120)  # the editor's frame inside the outer frame, which covers the client area
LABELS = {  # caption: (left, top, width, height) in twips inside the editor's frame
    "序 号:": (120, 175, 630, 210),
    "X座标:": (120, 532, 630, 210),
    "Y座标:": (120, 892, 630, 210),
    "时 间:": (120, 1245, 630, 210),
    "秒": (1440, 1245, 210, 210),
    "有 效:": (120, 1560, 630, 210),
}
BLANK_STRIP = (120, 175 + 210 + 30, 630, 532 - 175 - 210 - 60)
MIN_INK = 8


def ink(image, origin, box):
    """Pixels in the box (client twips) that stand out from the box's commonest colour."""
    left, top, right, bottom = harness.pixel_box(*box)
    pixels = [image.pixel(origin[0] + x, origin[1] + y)
              for y in range(top, bottom) for x in range(left, right)]
    background = max(set(pixels), key=pixels.count)
    return sum(1 for pixel in pixels if sum(abs(a - b) for a, b in zip(pixel, background)) > 96)


def in_client(box):
    left, top, width, height = box
    return (EDITOR_FRAME[0] + left, EDITOR_FRAME[1] + top, width, height)


def test(session):
    app = session.start(session.folder("app", SCREEN))
    origin = app.origin()
    harness.wait_until(lambda: ink(session.screenshot(), origin, in_client(LABELS["秒"])) >= MIN_INK,
                       "the window to be drawn")
    image = session.screenshot()
    for caption, box in LABELS.items():
        count = ink(image, origin, in_client(box))
        check(count >= MIN_INK,
              f"label '{caption}' shows {count} ink pixels in its box, expected {MIN_INK} or more")
    blank = ink(image, origin, in_client(BLANK_STRIP))
    check(blank == 0, f"the blank strip between the first two labels shows {blank} ink pixels")


if __name__ == "__main__":
    harness.main(test)
