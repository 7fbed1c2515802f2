"""The slot editor stores what was typed: slot 3 chosen from the keyboard, x, Enter, y, Enter, t, Tab to the
check box, Space, Tab to Save, Space. config.ini then holds slot 3 and the window position, the pointer
previews slot 3's point, and the program confirms with a message box. Once it is closed, the focus is back
on Save."""

import harness
from harness import check

SCREEN = harness.ini_text([("screen", [("x", "1500"), ("y", "750")])])


def editor_round_trip(session):
    app = session.start(session.folder("app", SCREEN))
    app.focus()
    message = app.save_slot_3()
    entries = harness.read_ini(app.config)
    screen = [(key, value) for section, key, value in entries if section == "screen"]
    check(screen == [("x", "1500"), ("y", "750")], f"section screen holds {screen}")
    others = sorted({section for section, _, _ in entries} - {"screen", "no3"})
    check(others == [], f"saving slot 3 wrote other sections: {others}")
    left, top = app.origin()
    check(session.pointer() == (left + 123, top + 45), f"the preview is not on slot 3's point: {session.pointer()}")

    app.close_message(message)
    app.expect_no_message()  # what closed the message must not press Save again
    check(app.process.poll() is None, "the program ended when the message box closed")

    # Tab, Tab from Save reach the slot number, and choosing slot 4 (all "0") previews the client origin.
    app.keys("Tab", "Tab", "Down")
    harness.wait_until(lambda: session.pointer() == (left, top), "the pointer on slot 4's point (0, 0)")


if __name__ == "__main__":
    harness.main(editor_round_trip)
