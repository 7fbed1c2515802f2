"""Save with no slot chosen writes nothing and answers with a message box, under a window manager. From the
keyboard, Tab reaches Save from the slot number through x, y, t and the check box; the box's title is
readable in WM_NAME too. With the mouse, once Enter has closed the box the focus is on the slot number,
where the handler put it: Down chooses slot 1. The focus also stays where it was while another program's
window has the keyboard."""

import subprocess

import harness
from harness import check

CONFIG = harness.slots_config([(5, 7, 3, 1)], screen=(1500, 750))
SAVE_BUTTON = harness.save_button()


def test(session):
    session.start_window_manager()
    app = session.start(session.folder("app", CONFIG))
    app.focus()
    app.keys("Tab", "Tab", "Tab", "Tab", "Tab", "space")
    message = app.wait_for_message()
    title = session.title_property(message, "WM_NAME")
    check(title in (("UTF8_STRING", harness.MESSAGE_TITLE), ("COMPOUND_TEXT", harness.MESSAGE_TITLE)),
          f"the message box's WM_NAME reads {title}")
    app.close_message(message)
    app.expect_no_message()  # nothing may be saved after the message
    with open(app.config, encoding="latin-1", newline="") as file:
        after = file.read()
    check(after == CONFIG, f"Save without a slot changed config.ini: {after!r}")

    left, top = app.origin()
    session.xdotool("mousemove", "--window", app.window, *harness.centre(SAVE_BUTTON), "click", "1")
    message = app.wait_for_message()
    harness.wait_until(lambda: session.xdotool("getactivewindow").strip() == message,
                       "the message box to have the keyboard")
    session.xdotool("key", "Return")
    harness.wait_until(lambda: not session.windows_named(harness.MESSAGE_TITLE), "the message box to close")
    app.keys("Down")
    harness.wait_until(lambda: session.pointer() == (left + 5, top + 7), "the pointer on slot 1's point")

    # Another program's window takes the keyboard and gives it back: the focus is still on x.
    app.keys("Tab")
    session.spawn(["xev", "-geometry", "100x100+600+400"], stdout=subprocess.DEVNULL)
    other = session.wait_for_window("Event Tester", app.process)
    session.xdotool("windowactivate", "--sync", other)
    session.xdotool("windowactivate", "--sync", app.window)
    app.keys("End")
    app.type("1")
    harness.wait_until(lambda: session.pointer() == (left + 51, top + 7), "the pointer on the typed x, 51")


if __name__ == "__main__":
    harness.main(test)
