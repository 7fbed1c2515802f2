"""The slot editor as a user drives it from the keyboard: slot 3 chosen, then every keystroke in x and y moves
the pointer onto that point of the window's client area, in pixels at 96 dpi scaled to the desktop's
resolution, emptied or negative too, with no message box; Enter moves on from x to y to t, Tab to the check
box, Space, Tab to Save, Space. config.ini then holds slot 3 and the window position, and the program
confirms with a message box. Once it is closed, the focus is back on Save."""

import harness
from harness import check

SCREEN = harness.ini_text([("screen", [("x", "1500"), ("y", "750")])])


def editor_round_trip(session):
    app = session.start(session.folder("app", SCREEN))
    left, top = app.origin()
    app.focus()

    def expect_pointer(x, y, after):
        dx, dy = session.scaled((x, y))
        harness.wait_until(lambda: session.pointer() == (left + dx, top + dy),
                           f"the pointer at {(left + dx, top + dy)} after {after} (it is at {session.pointer()})")

    app.keys("Down", "Down", "Down", "Tab")  # slot 3 of a file without slots: x and y read as "0"
    expect_pointer(0, 0, "choosing slot 3")
    app.clear_field()
    app.type("-50")
    expect_pointer(-50, 0, "typing x -50")
    app.keys("Return")
    app.clear_field()
    app.type("45")
    expect_pointer(-50, 45, "typing y 45")
    app.keys("shift+Tab")
    app.clear_field()
    expect_pointer(0, 45, "emptying x")
    app.type("123")
    expect_pointer(123, 45, "typing x 123")
    check(not session.windows_named(harness.MESSAGE_TITLE), "a message box appeared while typing")
    app.keys("Return", "Return")
    app.clear_field()
    app.type("6")
    app.keys("Tab", "space", "Tab", "space")
    message = app.wait_for_message()
    entries = harness.read_ini(app.config)
    slot3 = [(key, value) for section, key, value in entries if section == "no3"]
    check(slot3 == [("x", "123"), ("y", "45"), ("t", "6"), ("f", "1")], f"section no3 holds {slot3}")
    screen = [(key, value) for section, key, value in entries if section == "screen"]
    check(screen == [("x", "1500"), ("y", "750")], f"section screen holds {screen}")
    others = sorted({section for section, _, _ in entries} - {"screen", "no3"})
    check(others == [], f"saving slot 3 wrote other sections: {others}")

    app.close_message(message)
    app.expect_no_message()  # what closed the message must not press Save again
    check(app.process.poll() is None, "the program ended when the message box closed")
    # Tab, Tab from Save reach the slot number, and choosing slot 4 (all "0") previews the client origin.
    app.keys("Tab", "Tab", "Down")
    harness.wait_until(lambda: session.pointer() == (left, top), "the pointer on slot 4's point (0, 0)")


if __name__ == "__main__":
    harness.main(editor_round_trip)
