"""A delay that does not fit its field stops the Start command before anything is clicked, with a message
box, and the program goes on running once the box is closed."""

import time

import harness
from harness import check

# Below the window, clear of the message box in the middle of the screen, so that a click would reach it.
RECORDER = ("--window", "20", "450", "300", "250")
# Slot 1 alone would click the recorder one second after Start; slot 2's delay overflows while loading.
SLOTS = [(100, 500, 1, 1), (120, 520, 99999, 1)]


def overflow_stop(session):
    recorder = session.start_recorder(*RECORDER)
    app = session.start(session.folder("app", harness.slots_config(SLOTS)))
    app.start_run()
    message = app.wait_for_message(timeout=3)
    time.sleep(2.5)
    check(recorder.presses() == [], f"the run clicked although slot 2 overflows: {recorder.presses()}")
    app.close_message(message)
    app.expect_no_message()
    check(app.process.poll() is None, "the program ended on the overflow")


if __name__ == "__main__":
    harness.main(overflow_stop)
