"""A FIFO named config.ini: the window comes at once, as nothing waits for a writer, and Save answers with
its failure box, leaving the FIFO as it was."""

import os
import stat
import time

import harness
from harness import check


def test(session):
    folder = session.folder("app")
    config = os.path.join(folder, "config.ini")
    os.mkfifo(config)
    started = time.monotonic()
    app = session.start(folder)
    elapsed = time.monotonic() - started
    check(elapsed < 2.0, f"the window took {elapsed:.1f} s to show")
    app.focus()
    app.save_slot_by_keyboard(1, "1", "2", "3")
    app.close_message(app.wait_for_message())
    check(stat.S_ISFIFO(os.stat(config).st_mode), "config.ini is no longer a FIFO")
    check(app.process.poll() is None, "the program ended")


if __name__ == "__main__":
    harness.main(test)
