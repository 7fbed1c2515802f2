"""The Windows program's click timing under Wine beside xdotool clicking the same Windows recorder, its
recovery from a 2 s stall, and its start-to-window time under a warm wineserver, on a private Xvfb with
openbox. Prints a table; never fails on a figure. Run it through bench/timing_wine.sh."""

import argparse
import os
import signal
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402  (the desktop tests' display, recorder and config helpers)
import wine  # noqa: E402  (the same under Wine)
from timing import INTERVAL_MS, intervals, timing  # noqa: E402  (the Linux benchmark's arithmetic)

CLICKS = 31  # 30 intervals
STARTS = 5
STALL_S = 2
RECORDER = ("--window", "300", "200", "400", "300")
TARGET = (400, 300)  # a screen point on the recorder


def start_times(session, config):
    """Seconds from starting the program to its window on screen, the wineserver already running."""
    times = []
    for start in range(STARTS):
        folder = session.folder(f"start{start}", config)
        began = time.monotonic()
        process = session.spawn(["wine", os.path.join(folder, os.path.basename(session.quorvel))])
        session.wait_for_window(harness.MAIN_TITLE, process, timeout=30)
        times.append(time.monotonic() - began)
        process.terminate()
        process.wait(timeout=10)
        harness.wait_until(lambda: not session.windows_named(harness.MAIN_TITLE), "the window to go", 10)
    return times


def measure_quorvel(session):
    # Twenty slots of one second each on the recorder: one click per second, without end. The window's
    # client origin lies near (0, 0), so the target point is given relative to it.
    recorder = session.start_recorder(*RECORDER)
    app = session.start(session.folder("run", harness.slots_config([(0, 0, 1, 1)] * 20)))
    left, top = app.origin()
    with open(app.config, "w", encoding="latin-1", newline="") as file:
        file.write(harness.slots_config([(TARGET[0] - left, TARGET[1] - top, 1, 1)] * 20))
    app.start_run()
    presses = recorder.wait_for(CLICKS, timeout=CLICKS + 10)[:CLICKS]
    # A stall of the whole program: ticks due meanwhile give one click when it goes on, then the grid.
    os.kill(app.process.pid, signal.SIGSTOP)
    stopped = len(recorder.presses())
    time.sleep(STALL_S)
    os.kill(app.process.pid, signal.SIGCONT)
    after = recorder.wait_for(stopped + 4, timeout=10)[stopped:stopped + 4]
    grid = presses[0][3]
    phases = [((press[3] - grid + INTERVAL_MS // 2) % INTERVAL_MS) - INTERVAL_MS // 2 for press in after[1:]]
    return intervals(presses), phases


def measure_xdotool(session):
    recorder = session.start_recorder(*RECORDER)
    session.xdotool("mousemove", *TARGET)
    session.spawn(["xdotool", "click", "--repeat", str(CLICKS), "--delay", str(INTERVAL_MS), "1"])
    return intervals(recorder.wait_for(CLICKS, timeout=CLICKS + 10)[:CLICKS])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--quorvel", required=True)
    parser.add_argument("--recorder", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--name", default="quorvel.exe", help="the program's name in the table")
    args = parser.parse_args()
    if not os.path.isdir(args.prefix):
        wine.make_prefix(args.prefix)
    with wine.WineSession(args.quorvel, args.recorder, args.prefix) as session:
        starts = start_times(session, harness.slots_config([(0, 0, 0, 0)]))
        quorvel, phases = measure_quorvel(session)
    with wine.WineSession(args.quorvel, args.recorder, args.prefix) as session:
        xdotool = measure_xdotool(session)
    print(f"{'30 clicks at 1 s, Windows recorder':40} {'drift ms':>9} {'max dev ms':>11} {'intervals ms':>14}")
    for name, spans in ((f"{args.name} under Wine", quorvel), ("xdotool click --repeat", xdotool)):
        drift, worst = timing(spans)
        print(f"{name:40} {drift:>+9} {worst:>11} {min(spans):>6}..{max(spans)}")
    print(f"after a {STALL_S} s stall, next 3 clicks off the original grid (ms): {phases}")
    print(f"start to window, warm wineserver (s): median {statistics.median(starts):.2f}, "
          f"{', '.join(f'{t:.2f}' for t in starts)}")


if __name__ == "__main__":
    main()
