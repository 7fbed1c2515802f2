"""The desktop cases of the Windows program under Wine alone: a failed save, and a folder it cannot write. The
cases of both programs run here through harness.main with --prefix.
Usage: wine_cases.py CASE --quorvel quorvel.exe --recorder win_recorder.exe --prefix WINEPREFIX
       wine_cases.py --make-prefix WINEPREFIX
       wine_cases.py --program TEST.exe --prefix WINEPREFIX [ARGS...]  (a Windows test program on such a display)"""

import glob
import os
import shutil
import stat
import subprocess
import sys

import harness
import wine
from harness import check


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


CASES = {case.__name__: case for case in (failed_save, installed)}


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
        harness.main(CASES[sys.argv.pop(1)])
