"""A FIFO named config.ini: nothing waits for a writer, and the FIFO is left as it was. The Linux program
takes it for its file: the window comes at once, and Save answers with its failure box. Under Wine the
program cannot tell whether the FIFO exists: start-up says so at once with its own box, and no window
shows."""

import os
import stat
import time

import harness
from harness import check


def save_fails(session, folder):
    started = time.monotonic()
    app = session.start(folder)
    elapsed = time.monotonic() - started
    check(elapsed < 2.0, f"the window took {elapsed:.1f} s to show")
    app.focus()
    app.save_slot_by_keyboard(1, "1", "2", "3")
    app.close_message(app.wait_for_message())
    check(app.process.poll() is None, "the program ended")


def start_up_refused(session, folder):
    started = time.monotonic()
    session.wait_for_window("系统提示：", session.spawn(session.command(folder)))
    elapsed = time.monotonic() - started
    check(elapsed < 5, f"the message took {elapsed:.1f} s to show")
    check(not session.windows_named(harness.MAIN_TITLE), "the main window showed beside the message")


def fifo_config(session):
    folder = session.folder("app")
    config = os.path.join(folder, "config.ini")
    os.mkfifo(config)
    (save_fails if session.sees_fifo else start_up_refused)(session, folder)
    check(stat.S_ISFIFO(os.stat(config).st_mode), "config.ini is no longer a FIFO")


if __name__ == "__main__":
    harness.main(fifo_config)
