"""Typing into x and y moves the pointer onto that point of the window's client area, keystroke by
keystroke, wherever the window stands; the point is in pixels at 96 dpi, scaled to the desktop's resolution."""

import harness
from harness import check

SCREEN = harness.ini_text([("screen", [("x", "3000"), ("y", "1500")])])


def test(session):
    app = session.start(session.folder("app", SCREEN))
    left, top = app.origin()
    corner = (harness.pixels(3000, session.dpi), harness.pixels(1500, session.dpi))
    check((left, top) == corner, f"the window opened at {(left, top)}, not {corner}")
    app.focus()

    def expect_pointer(x, y, after):
        dx, dy = session.scaled((x, y))
        want = (left + dx, top + dy)
        harness.wait_until(lambda: session.pointer() == want,
                           f"the pointer at {want} after {after} (it is at {session.pointer()})")

    app.keys("Down", "Tab")  # slot 1 of a file without slots: x and y read as "0"
    expect_pointer(0, 0, "choosing slot 1")
    app.clear_field()
    app.type("37")
    expect_pointer(37, 0, "typing x 37")
    app.keys("Return")
    app.clear_field()
    app.type("25")
    expect_pointer(37, 25, "typing y 25")
    app.keys("shift+Tab")
    app.clear_field()
    expect_pointer(0, 25, "emptying x")
    app.type("-50")
    expect_pointer(-50, 25, "typing x -50")
    check(not session.windows_named(harness.MESSAGE_TITLE), "a message box appeared while typing")


if __name__ == "__main__":
    harness.main(test)
