"""The stop key: F8 pressed during a run ends it at once, with no click after it and config.ini as it was;
with no run, F8 reaches the program that has the keyboard, before a run and after the key ended one."""

import pathlib
import time

import harness
from harness import check

RECORDER = ("--window", "300", "200", "400", "300")
# Clicks at 1 s and 2 s, slot 3 starts the next cycle at 3 s, whose first click comes at 4 s.
SLOTS = [(350, 250, 1, 1), (420, 300, 1, 1), (0, 0, 0, 0)]


def f8_to_recorder(session, recorder):
    """F8 typed while the recorder's window has the keyboard; the keys it has seen before."""
    session.focus_recorder()
    seen = recorder.keys()
    session.xdotool("key", "F8")
    return seen


def f8_reaches(session, recorder, when):
    seen = f8_to_recorder(session, recorder)
    harness.wait_until(lambda: recorder.keys()[len(seen):] == ["F8"], f"F8 to reach the recorder {when}")


def stop_key(session):
    recorder = session.start_recorder(*RECORDER)
    app = session.start(session.folder("app", harness.slots_config(SLOTS)))
    before = pathlib.Path(app.config).read_bytes()
    f8_reaches(session, recorder, "before a run")
    app.start_run()
    recorder.wait_for(2, timeout=5)
    seen = f8_to_recorder(session, recorder)  # another program has the keyboard
    time.sleep(3)
    presses = recorder.presses()
    check(len(presses) == 2, f"the run clicked after F8: {presses}")
    check(recorder.keys() == seen, "F8 reached the recorder during the run")
    check(pathlib.Path(app.config).read_bytes() == before, "config.ini changed")
    check(app.process.poll() is None, "the program ended at F8")
    f8_reaches(session, recorder, "after F8 ended the run")


if __name__ == "__main__":
    harness.main(stop_key)
