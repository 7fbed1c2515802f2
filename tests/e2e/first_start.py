"""First start in an empty folder writes the default config.ini and opens the window at the screen's
top-left corner, its client area its twips at the desktop's resolution (137 x 193 pixels at 96 dpi); a later
start opens it where "screen" says, in twips."""

import harness
from harness import check


def test(session):
    folder = session.folder("app")
    app = session.start(folder)
    entries = harness.read_ini(app.config)
    want = harness.default_entries()
    check(len(entries) == len(want), f"the new config.ini holds {len(entries)} keys, not {len(want)}")
    for index, (seen, expected) in enumerate(zip(entries, want)):
        check(seen == expected, f"key {index + 1} of the new config.ini is {seen}, expected {expected}")
    check(app.origin() == (0, 0), f"first start opened the window at {app.origin()}, not (0, 0)")
    size = tuple(harness.pixels(twips, session.dpi) for twips in harness.CLIENT_TWIPS)
    check(app.size() == size, f"the client area is {app.size()} at {session.dpi} dpi, not {size}")
    app.close()

    with open(app.config, "w", encoding="latin-1", newline="") as file:
        file.write(harness.ini_text([("screen", [("x", "1500"), ("y", "750")])]))
    app = session.start(folder)
    corner = (harness.pixels(1500, session.dpi), harness.pixels(750, session.dpi))
    check(app.origin() == corner, f"screen x=1500, y=750 opened the window at {app.origin()}, not {corner}")


if __name__ == "__main__":
    harness.main(test)
