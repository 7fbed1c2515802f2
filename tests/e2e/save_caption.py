"""The Save button's caption is drawn in its stored colour, red, and the Start button's in the button-text
colour: a screenshot shows red ink inside the Save button and none inside Start."""

import harness
from harness import check

SCREEN = harness.ini_text([("screen", [("x", "1500"), ("y", "750")])])
SAVE_BUTTON = harness.save_button()
MIN_RED = 8


def is_red(pixel):
    r, g, b = pixel
    return r >= 160 and g <= 90 and b <= 90


def red(image, origin, box):
    """Red pixels inside a box given in client pixels."""
    left, top, right, bottom = box
    return sum(1 for y in range(top, bottom) for x in range(left, right)
               if is_red(image.pixel(origin[0] + x, origin[1] + y)))


def test(session):
    app = session.start(session.folder("app", SCREEN))
    origin = app.origin()
    count = harness.wait_until(lambda: red(session.screenshot(), origin, SAVE_BUTTON), "red ink on Save")
    check(count >= MIN_RED, f"the Save button shows {count} red pixels, expected {MIN_RED} or more")
    start = red(session.screenshot(), origin, harness.START_BUTTON)
    check(start == 0, f"the Start button shows {start} red pixels; its caption is not red")


if __name__ == "__main__":
    harness.main(test)
