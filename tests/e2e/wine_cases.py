"""The desktop cases of the Windows program under Wine: first start, the editor by keyboard, a run's clicks
and times, the overflow box, a failed save, the Start button's looks, the window at 150 % scaling, and Save's
released face while its box is open.
Usage: wine_cases.py CASE --quorvel quorvel.exe --recorder win_recorder.exe --prefix WINEPREFIX
       wine_cases.py --make-prefix WINEPREFIX
       wine_cases.py --program TEST.exe --prefix WINEPREFIX [ARGS...]  (a Windows test program on such a display)"""

import argparse
import os
import stat
import subprocess
import sys
import time

import harness
import wine
from harness import check
from save_released_face import save_released_face

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
    app.save_slot_by_keyboard(3, "123", "45", "6")
    message = app.wait_for_message()
    slot3 = [(key, value) for section, key, value in harness.read_ini(app.config) if section == "no3"]
    check(slot3 == [("x", "123"), ("y", "45"), ("t", "6"), ("f", "1")], f"section no3 holds {slot3}")
    app.close_message(message)
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
         (first_start, editor_round_trip, run_clicks, overflow_stop, failed_save, start_button_looks, scaled_150,
          save_released_face)}


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
