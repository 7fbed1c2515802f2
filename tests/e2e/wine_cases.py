"""The desktop cases of the Windows program under Wine: first start, the editor by keyboard, a run's clicks
and times, the overflow box, a failed save, a folder it cannot write, a FIFO named config.ini, the Start
button's looks, the window at 150 % scaling, Save's released face while its box is open, and the stop key.
Usage: wine_cases.py CASE --quorvel quorvel.exe --recorder win_recorder.exe --prefix WINEPREFIX
       wine_cases.py --make-prefix WINEPREFIX
       wine_cases.py --program TEST.exe --prefix WINEPREFIX [ARGS...]  (a Windows test program on such a display)"""

import argparse
import glob
import os
import shutil
import stat
import subprocess
import sys
import time

import harness
import wine
from harness import check
from save_released_face import save_released_face
from stop_key import stop_key

RECORDER = ("--window", "300", "200", "400", "300")


def first_start(session):
    app = session.start(session.folder("app"))
    with open(app.config, "rb") as file:
        data = file.read()
    check(data.count(b"\r\n") == data.count(b"\n") > 0, "the new config.ini does not end its lines with CR LF")
    entries = harness.read_ini(app.config)
    check(entries == harness.default_entries(), f"the new config.ini holds {len(entries)} keys: {entries[:4]}...")


def editor_round_trip(session):
    app = session.start(session.folder("app", harness.ini_text([("screen", [("x", "1500"), ("y", "750")])])))
    app.focus()
    app.close_message(app.save_slot_3())
    app.expect_no_message()
    check(app.process.poll() is None, "the program ended when the message box closed")


def run_clicks(session):
    slots = [(350, 250, 1, 1), (420, 300, 1, 1), (0, 0, 0, 0)]
    recorder = session.start_recorder(*RECORDER)
    app = session.start(session.folder("app", harness.slots_config(slots)))
    left, top = app.origin()
    app.start_run()
    presses = recorder.wait_for(2, timeout=5)[:2]
    want = [(1, left + 350, top + 250), (1, left + 420, top + 300)]
    check([p[:3] for p in presses] == want, f"clicks (button, x, y) {presses}, expected {want}")
    # One second apart; a busy machine may delay a tick, and bench/timing_wine.sh measures the precision.
    interval = presses[1][3] - presses[0][3]
    check(abs(interval - 1000) <= 100, f"the clicks came {interval} ms apart, not 1000")


def overflow_stop(session):
    # Below the window, clear of the message box in the middle of the screen.
    recorder = session.start_recorder("--window", "20", "450", "300", "250")
    app = session.start(session.folder("app", harness.slots_config([(100, 500, 1, 1), (120, 520, 99999, 1)])))
    app.start_run()
    message = app.wait_for_message(timeout=3)
    time.sleep(2)
    check(recorder.presses() == [], f"the run clicked although slot 2 overflows: {recorder.presses()}")
    app.close_message(message)
    time.sleep(0.5)
    check(app.process.poll() is None, "the program ended on the overflow")


def failed_save(session):
    app = session.start(session.folder("app", harness.slots_config([(1, 2, 3, 1)])))
    before = open(app.config, "rb").read()
    os.chmod(app.config, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)  # read-only to Windows programs
    app.focus()
    app.keys("Down", "Tab")
    app.clear_field()
    app.type("77")
    app.keys("Tab", "Tab", "Tab", "Tab", "space")
    message = app.wait_for_message()
    check(open(app.config, "rb").read() == before, "a read-only config.ini was changed by Save")
    app.close_message(message)
    check(app.process.poll() is None, "the program ended after the failed save")


def closed_folder(folder):
    """Closes the folder to new files whoever runs Wine: root is stopped only by the immutable flag."""
    command = ["chattr", "+i", folder] if os.geteuid() == 0 else ["chmod", "a-w", folder]
    result = subprocess.run(command, capture_output=True, text=True, timeout=10)
    check(result.returncode == 0, f"{' '.join(command)} failed: {result.stderr.strip()}")


def reopened_folder(folder):
    subprocess.run(["chattr", "-i", folder] if os.geteuid() == 0 else ["chmod", "u+w", folder], timeout=10)


def installed(session):
    """In a folder it cannot write, the program keeps config.ini in %APPDATA%\\Quorvel: made there with the
    defaults, saved there, and the program's folder is left alone."""
    own = os.path.join(session.prefix, "drive_c", "users", "*", "AppData", "Roaming", "Quorvel")
    for old in glob.glob(own):
        shutil.rmtree(old)
    folder = session.folder("app")
    closed_folder(folder)
    try:
        app = session.start(folder)
        configs = glob.glob(os.path.join(own, "config.ini"))
        check(len(configs) == 1, f"config.ini in the user's folder: {configs}")
        check(harness.read_ini(configs[0]) == harness.default_entries(), "the user's config.ini lacks the defaults")
        app.focus()
        app.close_message(app.save_slot_3(configs[0]))
        check(os.listdir(folder) == [os.path.basename(session.quorvel)], f"the folder holds {os.listdir(folder)}")
    finally:
        reopened_folder(folder)
        for old in glob.glob(own):
            shutil.rmtree(old)


def fifo_config(session):
    """A FIFO named config.ini: Wine cannot tell whether it exists, and start-up says so with its message
    at once instead of waiting for a writer."""
    folder = session.folder("app")
    os.mkfifo(os.path.join(folder, "config.ini"))
    started = time.monotonic()
    process = session.spawn(["wine", os.path.join(folder, os.path.basename(session.quorvel))])
    session.wait_for_window("系统提示：", process, timeout=10)
    elapsed = time.monotonic() - started
    check(elapsed < 5, f"the message took {elapsed:.1f} s to show")
    check(not session.windows_named(harness.MAIN_TITLE), "the main window showed beside the message")


def start_button_looks(session):
    app = session.start(session.folder("app", harness.slots_config([(10, 10, 1, 1)])))
    origin = app.origin()

    def orange():
        image = session.screenshot()
        left, top, right, bottom = harness.START_BUTTON
        return [(x, y) for y in range(top, bottom) for x in range(left, right)
                if (lambda r, g, b: r >= 200 and 120 <= g <= 225 and b <= 140)(*image.pixel(origin[0] + x, origin[1] + y))]

    check(not orange(), "the idle Start button shows orange")
    session.xdotool("mousemove", "--window", app.window, *harness.centre(harness.START_BUTTON))
    harness.wait_until(orange, "the orange hover frame on Start")
    session.xdotool("mousemove", 900, 700)
    harness.wait_until(lambda: not orange(), "the hover frame to go when the pointer left Start and the window")


def scaled_150(session):
    """At 150 % the window is laid out at 144 dpi and a slot's point, pixels at 96 dpi, is scaled alike."""
    dpi_key = ["HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/f", "/d"]
    subprocess.run(["wine", "reg", "add", *dpi_key, "144"], env=session.env, capture_output=True, timeout=60, check=True)
    try:
        recorder = session.start_recorder(*RECORDER)
        app = session.start(session.folder("app", harness.slots_config([(200, 150, 1, 1), (0, 0, 0, 0)])))
        left, top = app.origin()
        size = app._size(app.window)
        check(size == (206, 290), f"the client area is {size} at 144 dpi, not 1.5 times (137, 193)")
        start_x, start_y = harness.centre(harness.START_BUTTON)
        session.xdotool("mousemove", "--window", app.window, start_x * 3 // 2, start_y * 3 // 2, "click", "1")
        press = recorder.wait_for(1, timeout=5)[0]
        check(press[:3] == (1, left + 300, top + 225), f"slot (200, 150) clicked {press[:3]} at 144 dpi")
    finally:
        subprocess.run(["wine", "reg", "add", *dpi_key, "96"], env=session.env, capture_output=True, timeout=60)


CASES = {case.__name__: case for case in
         (first_start, editor_round_trip, run_clicks, overflow_stop, failed_save, installed, fifo_config,
          start_button_looks, scaled_150, save_released_face, stop_key)}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("case", choices=sorted(CASES))
    parser.add_argument("--quorvel", required=True)
    parser.add_argument("--recorder", required=True)
    parser.add_argument("--prefix", required=True)
    args = parser.parse_args()
    try:
        with wine.WineSession(args.quorvel, args.recorder, args.prefix) as session:
            CASES[args.case](session)
    except harness.Failure as failure:
        print(f"FAIL: {failure}")
        sys.exit(1)
    print("PASS")


def run_program(program, prefix, arguments):
    """A Windows test program on its own display, under the prefix; its exit status is the outcome."""
    with wine.WineSession(program, program, prefix) as session:
        sys.exit(session.spawn(["wine", program, *arguments]).wait())


if __name__ == "__main__":
    if sys.argv[1:2] == ["--make-prefix"]:
        wine.make_prefix(sys.argv[2])
    elif sys.argv[1:2] == ["--program"] and sys.argv[3:4] == ["--prefix"]:
        run_program(sys.argv[2], sys.argv[4], sys.argv[5:])
    else:
        main()
