"""Save with no slot chosen writes nothing and answers with a message box; Tab reaches Save from the
slot number through x, y, t and the check box."""

import harness
from harness import check

CONFIG = harness.slots_config([(1, 2, 3, 1)], screen=(1500, 750))


def test(session):
    app = session.start(session.folder("app", CONFIG))
    app.focus()
    app.keys("Tab", "Tab", "Tab", "Tab", "Tab", "space")
    message = app.wait_for_message()
    app.close_message(message)
    app.expect_no_message()  # nothing may be saved after the message
    with open(app.config, encoding="latin-1", newline="") as file:
        after = file.read()
    check(after == CONFIG, f"Save without a slot changed config.ini: {after!r}")


if __name__ == "__main__":
    harness.main(test)
