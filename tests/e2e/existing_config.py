"""An existing config.ini is left as it is at start-up, even when it lacks the slot sections."""

import harness
from harness import check

ONLY_SCREEN = "[screen]\r\nx = 300\r\ny=0\r\n"


def test(session):
    app = session.start(session.folder("app", ONLY_SCREEN))
    check(app.origin() == (20, 0), f"screen x = 300 opened the window at {app.origin()}, not (20, 0)")
    app.close()
    with open(app.config, "rb") as file:
        after = file.read()
    check(after == ONLY_SCREEN.encode(), f"config.ini changed at start-up: {after!r}")


if __name__ == "__main__":
    harness.main(test)
