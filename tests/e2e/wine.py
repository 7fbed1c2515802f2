"""The Windows program under Wine for the desktop tests: a private Wine prefix made once per test run, and
a session that runs the program and the Windows click recorder under one wineserver, on the private Xvfb
with openbox. Without a window manager Wine stalls about 2 s whenever a window is hidden or destroyed."""

import os
import shutil
import subprocess
import time

import harness
from harness import check, wait_until

# Without these, Chinese texts of message boxes show as empty squares.
SONG_NAMES = ("宋体", "SimSun", "新宋体", "NSimSun")
SONG_FACE = "AR PL UMing CN"
REGISTRY_KEY = r"HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes"


def wine_env(prefix):
    return {"WINEPREFIX": os.path.abspath(prefix), "WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml="}


def make_prefix(prefix):
    """A new prefix with the font substitutes; takes about 15 s."""
    shutil.rmtree(prefix, ignore_errors=True)
    env = dict(os.environ, **wine_env(prefix))
    env.pop("DISPLAY", None)
    subprocess.run(["wineboot", "--init"], env=env, capture_output=True, timeout=180, check=True)
    script = os.path.join(prefix, "font_substitutes.reg")
    lines = ["Windows Registry Editor Version 5.00", "", f"[{REGISTRY_KEY}]"]
    lines += [f'"{name}"="{SONG_FACE}"' for name in SONG_NAMES]
    with open(script, "w", encoding="utf-16", newline="") as file:
        file.write("\r\n".join(lines) + "\r\n")
    subprocess.run(["wine", "regedit", script], env=env, capture_output=True, timeout=60, check=True)
    subprocess.run(["wineserver", "-w"], env=env, timeout=60)
    with open(os.path.join(prefix, "system.reg"), encoding="latin-1") as file:
        registry = file.read()
    check(f'"SimSun"="{SONG_FACE}"' in registry, "the font substitutes are not in the new prefix")


class WineApp(harness.App):
    """The program's window under Wine, whose cold start is slower than the Linux program's."""

    def __init__(self, session, folder, process):
        session.wait_for_window(harness.MAIN_TITLE, process, timeout=20)
        super().__init__(session, folder, process)

    def close_message(self, message):
        """Clicks the box's OK button, centred near its bottom edge, once the box has its final size.
        NOTE: a key sent to a Wine window with xdotool can leave Return held down on the X server, after
        which every later box closes itself."""
        def settled_size():
            first = self.size(message)
            time.sleep(0.2)
            return first if self.size(message) == first else None
        width, height = wait_until(settled_size, "the message box to settle")
        # On a loaded machine the first click can come before the box takes input: it is clicked again.
        for attempt in range(3):
            self.session.xdotool("mousemove", "--window", message, width // 2, height - 22, "click", "1")
            try:
                wait_until(lambda: not self.session.windows_named(harness.MESSAGE_TITLE), "the message box to close")
                return
            except harness.Failure:
                if attempt == 2:
                    raise


class WineSession(harness.Session):
    """The private Xvfb with openbox; the program and the recorder run under the prefix's wineserver,
    which goes with the session. At another resolution than 96 dpi the prefix's LogPixels says so while the
    session lasts, as Windows' scaling does. Wine cannot tell whether a FIFO exists."""

    application = WineApp
    line_end = b"\r\n"
    sees_fifo = False

    def __init__(self, quorvel, recorder, prefix, dpi=harness.BASE_DPI):
        super().__init__(quorvel, recorder, dpi)
        self.prefix = prefix

    def __enter__(self):
        super().__enter__()
        self.env.update(wine_env(self.prefix))
        self.start_window_manager()
        # The wineserver and Wine's own services start here, once, rather than inside a timed wait.
        self.run("wine", "cmd.exe", "/c", "exit", timeout=60)
        if self.dpi != harness.BASE_DPI:
            self._log_pixels(self.dpi)
        return self

    def _log_pixels(self, dpi):
        self.run("wine", "reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/f",
                 "/d", dpi, timeout=60, must=True)

    def __exit__(self, *exc):
        if self.dpi != harness.BASE_DPI:
            self._log_pixels(harness.BASE_DPI)  # the prefix is shared with the next case
        self.run("wineserver", "-k", timeout=30)
        self.run("wineserver", "-w", timeout=30)
        super().__exit__(*exc)

    def frame(self):
        """Windows' frame: a fixed border of 3 pixels and the caption, 19 pixels at 96 dpi, scaled with it."""
        return 3, 3 + 19 * self.dpi // harness.BASE_DPI

    def command(self, folder):
        return ["wine", *super().command(folder)]

    def focus_recorder(self):
        """The recorder takes the keyboard when its middle button is pressed."""
        self.xdotool("mousemove", "--window", self.windows_named("recorder")[0], 5, 5, "click", "2")
        time.sleep(0.3)

    def start_recorder(self, *args):
        process = self.spawn(["wine", self.recorder, *args], stdout=subprocess.PIPE, text=True)
        # Wine's start is slow on a busy machine; once the window shows, "ready" is in the pipe.
        self.wait_for_window("recorder", process, timeout=20)
        return harness.Recorder(process)
