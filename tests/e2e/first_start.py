"""First start in an empty folder writes the default config.ini, its lines ended the system's way, and opens
the window at the screen's top-left corner, its client area its twips at the desktop's resolution (137 x 193
pixels at 96 dpi); a later start opens it where "screen" says, in twips, and leaves that file as it is,
though it lacks the slot sections. Both places are the window's corner, around the client area by the
window's frame."""

import pathlib

import harness
from harness import check

ONLY_SCREEN = b"[screen]\r\nx = 1500\r\ny=750\r\n"


def first_start(session):
    folder = session.folder("app")
    app = session.start(folder)
    lines = pathlib.Path(app.config).read_bytes().split(session.line_end)
    check(lines[-1] == b"" and not any(b"\r" in line or b"\n" in line for line in lines),
          f"the new config.ini does not end each line with {session.line_end!r}")
    entries = harness.read_ini(app.config)
    want = harness.default_entries()
    check(len(entries) == len(want), f"the new config.ini holds {len(entries)} keys, not {len(want)}")
    for index, (seen, expected) in enumerate(zip(entries, want)):
        check(seen == expected, f"key {index + 1} of the new config.ini is {seen}, expected {expected}")
    frame_x, frame_y = session.frame()
    check(app.origin() == (frame_x, frame_y), f"first start opened the window at {app.origin()}, not the corner")
    size = tuple(harness.pixels(twips, session.dpi) for twips in harness.CLIENT_TWIPS)
    check(app.size() == size, f"the client area is {app.size()} at {session.dpi} dpi, not {size}")
    app.close()

    pathlib.Path(app.config).write_bytes(ONLY_SCREEN)
    app = session.start(folder)
    corner = (harness.pixels(1500, session.dpi) + frame_x, harness.pixels(750, session.dpi) + frame_y)
    check(app.origin() == corner, f"screen x = 1500, y=750 opened the window at {app.origin()}, not {corner}")
    app.close()
    after = pathlib.Path(app.config).read_bytes()
    check(after == ONLY_SCREEN, f"config.ini changed at start-up: {after!r}")


if __name__ == "__main__":
    harness.main(first_start)
