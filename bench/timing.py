"""Quorvel's click timing, start-up, memory and idle CPU, side by side with xdotool clicking the same
recorder, on a private Xvfb. Prints a table; never fails on a figure. Run it through bench/timing.sh."""

import argparse
import os
import signal
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402  (the desktop tests' display, recorder and config helpers)

CLICKS = 31  # 30 intervals
INTERVAL_MS = 1000
STARTS = 5
IDLE_SECONDS = 60
RECORDER = ("--window", "300", "200", "400", "300")
TARGET = (400, 300)  # a screen point on the recorder; the program's window stays at (0, 0)
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def memory_kib(pid):
    """Resident and proportional set size: RSS counts shared library pages whole, PSS divides them among
    the processes that map them."""
    with open(f"/proc/{pid}/smaps_rollup") as file:
        fields = dict(line.split()[:2] for line in file if line.split()[0] in ("Rss:", "Pss:"))
    return int(fields["Rss:"]), int(fields["Pss:"])


def cpu_ms(pid):
    with open(f"/proc/{pid}/stat") as file:
        fields = file.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) * 1000 / CLOCK_TICKS  # utime and stime


def intervals(presses):
    times = [press[3] for press in presses]
    return [later - earlier for earlier, later in zip(times, times[1:])]


def timing(spans):
    """Cumulative drift over all intervals and the largest deviation of one interval, in ms."""
    return sum(spans) - INTERVAL_MS * len(spans), max(abs(span - INTERVAL_MS) for span in spans)


def measure_quorvel(session, map_timer):
    # Twenty slots of one second each on the recorder: one click per second, without end.
    config = harness.slots_config([(TARGET[0], TARGET[1], 1, 1)] * 20)
    mapped = []
    for start in range(STARTS):
        folder = session.folder(f"start{start}", config)
        program = os.path.join(folder, os.path.basename(session.quorvel))
        timer = session.spawn([map_timer, program], stdout=subprocess.PIPE, text=True)
        pid = int(timer.stdout.readline().split()[1])
        mapped.append(float(timer.stdout.readline().split()[1]))
        if start < STARTS - 1:
            os.kill(pid, signal.SIGTERM)
            timer.wait(timeout=10)
    window = session.wait_for_window(harness.MAIN_TITLE, timer)
    time.sleep(1)
    memory = memory_kib(pid)
    before = cpu_ms(pid)
    time.sleep(IDLE_SECONDS)
    idle = cpu_ms(pid) - before

    recorder = session.start_recorder(*RECORDER)
    session.xdotool("mousemove", "--window", window, *harness.centre(harness.START_BUTTON), "click", "1")
    presses = recorder.wait_for(CLICKS, timeout=CLICKS + 10)[:CLICKS]
    check_points(presses, "quorvel")
    return intervals(presses), mapped, memory, idle


def measure_xdotool(session):
    recorder = session.start_recorder(*RECORDER)
    session.xdotool("mousemove", *TARGET)
    clicker = session.spawn(["xdotool", "click", "--repeat", str(CLICKS), "--delay", str(INTERVAL_MS), "1"])
    time.sleep(1.5)
    memory = memory_kib(clicker.pid)
    presses = recorder.wait_for(CLICKS, timeout=CLICKS + 10)[:CLICKS]
    clicker.wait(timeout=10)
    check_points(presses, "xdotool")
    return intervals(presses), memory


def check_points(presses, who):
    wrong = [press for press in presses if press[:3] != (1, *TARGET)]
    harness.check(not wrong, f"{who} clicked elsewhere than {TARGET}: {wrong[:3]}")


def megabytes(kib):
    return f"{kib * 1024 / 1e6:.1f}"


def row(metric, target, ours, peer):
    return f"{metric:<34} {target:>9} {ours:>12} {peer:>12}"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--quorvel", required=True)
    parser.add_argument("--recorder", required=True)
    parser.add_argument("--map-timer", required=True)
    args = parser.parse_args()
    with harness.Session(args.quorvel, args.recorder) as session:
        spans, mapped, memory, idle = measure_quorvel(session, args.map_timer)
    with harness.Session(args.quorvel, args.recorder) as session:
        peer_spans, peer_memory = measure_xdotool(session)
    drift, deviation = timing(spans)
    peer_drift, peer_deviation = timing(peer_spans)

    print(row("metric", "target", "quorvel", "xdotool"))
    print(row(f"cumulative drift, {CLICKS - 1} intervals", "<= 1 ms", f"{drift:+d} ms",
              f"{peer_drift:+d} ms"))
    print(row("largest interval deviation", "<= 1 ms", f"{deviation} ms", f"{peer_deviation} ms"))
    median = statistics.median(mapped)
    print(row(f"exec to window mapped, median of {STARTS}", "<= 30 ms", f"{median:.1f} ms", "n/a"))
    for index, name in enumerate(("RSS", "PSS")):
        print(row(f"{name} after start", "<= 8 MB" if name == "RSS" else "", f"{megabytes(memory[index])} MB",
                  f"{megabytes(peer_memory[index])} MB"))
    print(row(f"CPU time over {IDLE_SECONDS} s idle", "0", f"{idle:.0f} ms", "n/a"))
    print()
    print("exec to mapped, each start (ms): " + ", ".join(f"{value:.1f}" for value in mapped))
    print("quorvel's intervals (ms): " + " ".join(map(str, spans)))
    print("xdotool's intervals (ms): " + " ".join(map(str, peer_spans)))
    print("xdotool's memory is read while it clicks; it has no window and no idle state.")


if __name__ == "__main__":
    try:
        main()
    except harness.Failure as failure:
        sys.exit(f"benchmark failed: {failure}")
