"""A delay that does not fit its field stops the Start command before anything is clicked, with a message
box, and the program goes on running."""

import time

import harness
from harness import check

RECORDER = ("--window", "300", "200", "400", "300")
# Slot 1 alone would click the recorder one second after Start; slot 2's delay overflows while loading.
SLOTS = [(350, 250, 1, 1), (420, 300, 99999, 1)]


def test(session):
    recorder = session.start_recorder(*RECORDER)
    app = session.start(session.folder("app", harness.slots_config(SLOTS)))
    app.start_run()
    app.wait_for_message(timeout=3)
    time.sleep(2.5)
    check(recorder.presses() == [], f"the run clicked although slot 2 overflows: {recorder.presses()}")
    check(app.process.poll() is None, "the program ended on the overflow")


if __name__ == "__main__":
    harness.main(test)
