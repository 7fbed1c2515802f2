"""Slots (10,10,1,1), (20,20,2,1), (30,30,0,0): clicks at client (10,10) and (20,20) at 1 s and 3 s after
Start, a new cycle, then again at 5 s and 7 s. The points lie on the program's own window, so the presses
are seen as raw input on the root window. Times come from the X server, with a test's generous tolerance."""

import harness
from harness import check

SLOTS = [(10, 10, 1, 1), (20, 20, 2, 1), (30, 30, 0, 0)]
TOLERANCE_MS = 300


def test(session):
    app = session.start(session.folder("app", harness.slots_config(SLOTS, screen=(1500, 750))))
    left, top = app.origin()
    recorder = session.start_recorder("--raw")
    app.start_run()
    presses = recorder.wait_for(5, timeout=12)[:5]
    start_x, start_y = harness.centre(harness.START_BUTTON)
    check(presses[0][:3] == (1, left + start_x, top + start_y),
          f"the first press is not on Start: {presses[0]}")
    start_time = presses[0][3]
    want = [((left + 10, top + 10), 1000), ((left + 20, top + 20), 3000),
            ((left + 10, top + 10), 5000), ((left + 20, top + 20), 7000)]
    for index, (press, (point, at)) in enumerate(zip(presses[1:], want), start=1):
        button, x, y, time_ms = press
        offset = time_ms - start_time
        check(button == 1 and (x, y) == point,
              f"click {index}: button {button} at {(x, y)}, expected button 1 at {point}")
        check(abs(offset - at) <= TOLERANCE_MS, f"click {index} came {offset} ms after Start, expected {at}")


if __name__ == "__main__":
    harness.main(test)
