"""Every caption is drawn inside its control at the desktop's resolution: a screenshot shows each label's ink
inside the label's box and none in the blank margin around it (nothing cut off or running into the next
control), filling most of the box's width as the caption's font at that resolution does; the buttons'
captions lie inside their faces, centred and as wide as one line of them is, Save's in its stored colour, red,
and Start's in the button-text colour, with no red; a blank strip between two rows of labels shows no ink."""

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
SLACK = 15  # twips a glyph's smoothed edge may reach beyond its label's box
MARGIN = 60  # twips of background around every label: the nearest control is 90 twips away
MIN_INK = 8
LABEL_FILL = 3 / 4  # of a label's width: its caption was sized to fit it
BUTTON_FILL = 2 / 5  # of a button's width: one line of caption
BUTTON_EDGE = 4  # pixels at 96 dpi: the border and the dotted focus frame, which are no caption


def is_red(pixel):
    r, g, b = pixel
    return r >= 160 and g <= 90 and b <= 90


def ink_points(image, origin, box):
    """Client points in a pixel box that stand out from their row's commonest colour: the background is
    even or, on a button's face, shaded from top to bottom."""
    left, top, right, bottom = box
    points = []
    for y in range(top, bottom):
        row = [image.pixel(origin[0] + x, origin[1] + y) for x in range(left, right)]
        background = max(set(row), key=row.count)
        points.extend((left + i, y) for i, pixel in enumerate(row)
                      if sum(abs(a - b) for a, b in zip(pixel, background)) > 96)
    return points


def bounds(points):
    xs = [x for x, _ in points]
    ys = [y for _, y in points]
    return min(xs), min(ys), max(xs) + 1, max(ys) + 1


def in_client(box):
    left, top, width, height = box
    return (EDITOR_FRAME[0] + left, EDITOR_FRAME[1] + top, width, height)


def grown(box, by):
    left, top, width, height = box
    return left - by, top - by, width + 2 * by, height + 2 * by


def check_label(image, origin, caption, box, dpi):
    left, top, right, bottom = inside = harness.pixel_box(*grown(in_client(box), SLACK), dpi)
    around = ink_points(image, origin, harness.pixel_box(*grown(in_client(box), MARGIN), dpi))
    ink = [(x, y) for x, y in around if left <= x < right and top <= y < bottom]
    check(len(ink) >= MIN_INK, f"label '{caption}' shows {len(ink)} ink pixels in its box, expected {MIN_INK} or more")
    outside = len(around) - len(ink)
    check(outside == 0, f"label '{caption}' shows {outside} ink pixels outside its box {inside}")
    ink_left, _, ink_right, _ = bounds(ink)
    width = harness.pixels(box[2], dpi)
    check(ink_right - ink_left >= LABEL_FILL * width,
          f"label '{caption}' is {ink_right - ink_left} of {width} pixels wide: its font is too small")


def check_button(image, origin, name, box, dpi, red):
    edge = harness.pixels(BUTTON_EDGE * harness.TWIPS_PER_PIXEL, dpi)
    left, top, right, bottom = box
    reds = sum(1 for y in range(top, bottom) for x in range(left, right)
               if is_red(image.pixel(origin[0] + x, origin[1] + y)))
    check(reds >= MIN_INK if red else reds == 0, f"the {name} button shows {reds} red pixels")
    face = (left + edge, top + edge, right - edge, bottom - edge)
    ink = ink_points(image, origin, face)
    check(len(ink) >= MIN_INK, f"the {name} button's caption shows {len(ink)} ink pixels")
    ink_left, ink_top, ink_right, ink_bottom = bounds(ink)
    check(face[0] < ink_left and ink_right < face[2] and face[1] < ink_top and ink_bottom < face[3],
          f"the {name} button's caption {(ink_left, ink_top, ink_right, ink_bottom)} reaches the edge of its face {face}")
    off_centre = (ink_left - face[0]) - (face[2] - ink_right)
    check(abs(off_centre) <= 2 * edge, f"the {name} button's caption is {off_centre} pixels off its face's centre")
    check(ink_right - ink_left >= BUTTON_FILL * (right - left),
          f"the {name} button's caption is {ink_right - ink_left} pixels wide on a {right - left} pixel button")


def test(session):
    dpi = session.dpi
    app = session.start(session.folder("app", SCREEN))
    origin = app.origin()
    seconds = harness.pixel_box(*in_client(LABELS["秒"]), dpi)
    harness.wait_until(lambda: len(ink_points(session.screenshot(), origin, seconds)) >= MIN_INK,
                       "the window to be drawn")
    image = session.screenshot()
    for caption, box in LABELS.items():
        check_label(image, origin, caption, box, dpi)
    for name, box, red in (("Save", harness.save_button(dpi), True), ("Start", harness.start_button(dpi), False)):
        check_button(image, origin, name, box, dpi, red)
    blank = ink_points(image, origin, harness.pixel_box(*in_client(BLANK_STRIP), dpi))
    check(not blank, f"the blank strip between the first two labels shows {len(blank)} ink pixels")


if __name__ == "__main__":
    harness.main(test)
