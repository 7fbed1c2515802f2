"""A run clicks the slots' points in order, one second apart, relative to the window's client area and
scaled from 96 dpi to the desktop's resolution, and follows the window when it moves. The points lie on a
recorder window beside the program's own."""

import harness
from harness import check

RECORDER = ("--window", "300", "200", "700", "500")
SLOTS = [(350, 250, 1, 1), (420, 300, 1, 1), (0, 0, 0, 0)]


def expect_clicks(session, presses, origin, what):
    left, top = origin
    want = [(1, left + x, top + y) for x, y in (session.scaled(slot[:2]) for slot in SLOTS[:2])]
    seen = [press[:3] for press in presses]
    check(seen == want, f"{what}: clicks (button, x, y) {seen}, expected {want}")
    # A busy machine may delay a tick; bench/ measures the precision.
    interval = presses[1][3] - presses[0][3]
    check(abs(interval - 1000) <= 100, f"{what}: the clicks came {interval} ms apart, not 1000")


def run_clicks(session):
    recorder = session.start_recorder(*RECORDER)
    app = session.start(session.folder("app", harness.slots_config(SLOTS)))
    origin = app.origin()
    app.start_run()
    first = recorder.wait_for(2, timeout=5)[:2]
    session.xdotool("windowmove", app.window, 50, 40)
    moved = harness.wait_until(lambda: (lambda now: now != origin and now)(app.origin()), "the window to move")
    expect_clicks(session, first, origin, "first cycle")
    second = recorder.wait_for(4, timeout=5)[2:4]
    expect_clicks(session, second, moved, "cycle after the move")


if __name__ == "__main__":
    harness.main(run_clicks)
