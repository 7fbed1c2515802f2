"""Shared pieces of the desktop tests: a private X server, the program in a folder of its own, xdotool,
the click recorder, config.ini and screenshots. Python's standard library only."""

import argparse
import math
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

MAIN_TITLE = "Quorvel(1.0)"
MESSAGE_TITLE = "提示："
TWIPS_PER_INCH = 1440
BASE_DPI = 96
TWIPS_PER_PIXEL = TWIPS_PER_INCH // BASE_DPI  # at 96 dpi
# The main window's client area in twips.
CLIENT_TWIPS = (2055, 2895)


def pixels(twips, dpi=BASE_DPI):
    """Twips as the program rounds them to whole pixels at a resolution: halves away from zero."""
    exact = twips * dpi / TWIPS_PER_INCH
    return int(math.copysign(math.floor(abs(exact) + 0.5), exact))


def pixel_box(left, top, width, height, dpi=BASE_DPI):
    """A box in twips as whole pixels (left, top, right, bottom) at a resolution, widened to cover every
    touched pixel."""
    return (left * dpi // TWIPS_PER_INCH, top * dpi // TWIPS_PER_INCH,
            -(-(left + width) * dpi // TWIPS_PER_INCH), -(-(top + height) * dpi // TWIPS_PER_INCH))


def start_button(dpi=BASE_DPI):
    """The Start button in client pixels: its frame at (120, 2160) twips, the button at (120, 130) inside
    it, 735 x 375 twips."""
    return pixel_box(120 + 120, 2160 + 130, 735, 375, dpi)


START_BUTTON = start_button()


def save_button(dpi=BASE_DPI):
    """The Save button in client pixels: the editor's frame at (120, 120) twips, the button at (1100, 1560)
    inside it, 615 x 375 twips."""
    return pixel_box(120 + 1100, 120 + 1560, 615, 375, dpi)


def centre(box):
    left, top, right, bottom = box
    return (left + right) // 2, (top + bottom) // 2


class Failure(Exception):
    """A check that did not hold; the message says what was expected and what was seen."""


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_until(probe, what, timeout=5.0, interval=0.05):
    """Polls probe() until it returns something truthy, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def read_ini(path):
    """The (section, key, value) triples of an INI file in file order, names as written."""
    entries = []
    section = None
    with open(path, encoding="latin-1", newline="") as file:
        for line in file.read().splitlines():
            text = line.strip()
            if text.startswith("[") and text.endswith("]"):
                section = text[1:-1].strip()
            elif "=" in text and section is not None:
                key, value = text.split("=", 1)
                entries.append((section, key.strip(), value.strip()))
    return entries


def ini_text(sections):
    """INI text from a list of (section, [(key, value), ...])."""
    lines = []
    for section, pairs in sections:
        lines.append(f"[{section}]")
        lines.extend(f"{key}={value}" for key, value in pairs)
    return "\r\n".join(lines) + "\r\n"


def slots_config(slots, screen=(0, 0)):
    """config.ini text with the window position in twips and slots 1, 2, ... as (x, y, t, f)."""
    sections = [("screen", [("x", str(screen[0])), ("y", str(screen[1]))])]
    for number, slot in enumerate(slots, start=1):
        sections.append((f"no{number}", list(zip(("x", "y", "t", "f"), map(str, slot)))))
    return ini_text(sections)


def as_normal_user(argv):
    """argv run by a user without privileges: root becomes nobody, anyone else stays who they are."""
    if os.geteuid() != 0:
        return list(argv)
    return ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", *argv]


def give_to_normal_user(path):
    """Makes path the normal user's, when that user is nobody."""
    if os.geteuid() == 0:
        shutil.chown(path, "nobody", "nogroup")


def default_entries():
    entries = [("screen", "x", "0"), ("screen", "y", "0")]
    for slot in range(1, 21):
        entries.extend((f"no{slot}", key, "0") for key in ("x", "y", "t", "f"))
    return entries


class Recorder:
    """A running recorder; collects its presses as (button, root x, root y, server time in ms), and the
    keys pressed on its window."""

    def __init__(self, process):
        self.process = process
        self._presses = []
        self._keys = []
        self._ready = threading.Event()
        self._lock = threading.Lock()
        threading.Thread(target=self._read, daemon=True).start()
        wait_until(self._ready.is_set, "the recorder to be ready")

    def _read(self):
        for line in self.process.stdout:
            fields = line.split()
            if fields == ["ready"]:
                self._ready.set()
            elif len(fields) == 5 and fields[0] == "press":
                with self._lock:
                    self._presses.append(tuple(int(field) for field in fields[1:]))
            elif len(fields) == 2 and fields[0] == "key":
                with self._lock:
                    self._keys.append(fields[1])

    def presses(self):
        with self._lock:
            return list(self._presses)

    def keys(self):
        """The names of the keys pressed on its window so far."""
        with self._lock:
            return list(self._keys)

    def wait_for(self, count, timeout):
        """The presses so far, once there are at least count of them."""
        return wait_until(lambda: len(self.presses()) >= count and self.presses(), f"{count} recorded presses", timeout)


class Image:
    """A screenshot: width, height and pixel(x, y) as (r, g, b)."""

    def __init__(self, data):
        header = [int.from_bytes(data[i:i + 4], "big") for i in range(0, 100, 4)]
        (header_size, _, pixmap_format, _, self.width, self.height, _, byte_order, _, _, _,
         bits_per_pixel, self._stride, _, red_mask, green_mask, blue_mask, _, _, ncolors) = header[:20]
        # Once Wine has drawn on the display, the server hands out 24-bit images.
        check(pixmap_format == 2 and bits_per_pixel in (24, 32),
              f"screenshot format {pixmap_format}/{bits_per_pixel} bpp is not 24- or 32-bit ZPixmap")
        self._bytes = bits_per_pixel // 8
        self._order = "little" if byte_order == 0 else "big"
        self._masks = (red_mask, green_mask, blue_mask)
        self._data = data[header_size + 12 * ncolors:]

    def pixel(self, x, y):
        check(0 <= x < self.width and 0 <= y < self.height, f"({x}, {y}) lies outside the screen")
        offset = y * self._stride + self._bytes * x
        value = int.from_bytes(self._data[offset:offset + self._bytes], self._order)
        return tuple((value & mask) >> ((mask & -mask).bit_length() - 1) for mask in self._masks)


class App:
    """The program started from its own folder, with its main window."""

    def __init__(self, session, folder, process):
        self.session = session
        self.folder = folder
        self.process = process
        self.window = session.wait_for_window(MAIN_TITLE, process)

    @property
    def config(self):
        return os.path.join(self.folder, "config.ini")

    def _geometry(self, window=None):
        info = self.session.run("xwininfo", "-id", window or self.window).stdout
        return dict(line.strip().split(": ", 1) for line in info.splitlines() if ": " in line)

    def origin(self):
        """Screen position of the window's client area, also inside a window manager's frame."""
        fields = self._geometry()
        return int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"])

    def size(self, window=None):
        """Width and height of the window's client area, or of another window such as a message box."""
        fields = self._geometry(window)
        return int(fields["Width"]), int(fields["Height"])

    def focus(self):
        self.session.xdotool("windowfocus", "--sync", self.window)

    def keys(self, *names):
        """Key strokes to the focused control, e.g. keys("Tab", "space")."""
        self.session.xdotool("key", "--delay", "40", *names)

    def type(self, text):
        self.session.xdotool("type", "--delay", "40", "--", text)

    def clear_field(self):
        """Empties the focused text field, whatever was selected in it."""
        self.keys("End", *["BackSpace"] * 6)

    def save_slot_by_keyboard(self, slot, x, y, t):
        """Chooses the slot with Down, types x, y and t moving on with Enter, ticks the check box and
        presses Save, all from the keyboard."""
        self.keys(*["Down"] * slot, "Tab")
        for text, after in ((x, "Return"), (y, "Return"), (t, None)):
            self.clear_field()
            self.type(text)
            if after:
                self.keys(after)
        self.keys("Tab", "space", "Tab", "space")

    def save_slot_3(self, config=None):
        """Saves x 123, y 45, t 6, checked, in slot 3 from the keyboard; checks that config.ini (or the file
        given) then holds that in no3, and returns the confirmation box."""
        config = config or self.config
        self.save_slot_by_keyboard(3, "123", "45", "6")
        message = self.wait_for_message()
        slot3 = [(key, value) for section, key, value in read_ini(config) if section == "no3"]
        check(slot3 == [("x", "123"), ("y", "45"), ("t", "6"), ("f", "1")], f"section no3 of {config} holds {slot3}")
        return message

    def click(self, x, y):
        """A left click at client point (x, y)."""
        self.session.xdotool("mousemove", "--window", self.window, str(x), str(y), "click", "1")

    def start_run(self):
        self.click(*centre(start_button(self.session.dpi)))

    def wait_for_message(self, timeout=5.0):
        return self.session.wait_for_window(MESSAGE_TITLE, self.process, timeout)

    def close_message(self, message):
        """Presses Enter in a message box and waits for it to go."""
        self.session.xdotool("windowfocus", "--sync", message)
        self.session.xdotool("key", "Return")
        wait_until(lambda: not self.session.windows_named(MESSAGE_TITLE), "the message box to close")

    def expect_no_message(self, within=0.5):
        """Checks that no message box shows up in the given time, e.g. after one was closed."""
        time.sleep(within)
        check(not self.session.windows_named(MESSAGE_TITLE), f"a message box showed up within {within} s")

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(timeout=5)


class Session:
    """A private Xvfb and a scratch folder; everything started here is stopped on leaving. At a resolution
    other than 96 dpi the display carries a desktop's resources naming it, as GNOME, KDE and Xfce write them
    when the user scales. The scenarios are written once against this class and wine.WineSession, which
    holds what differs under Wine."""

    application = App
    # How config.ini ends its lines, and whether the program can tell that a FIFO named so exists.
    line_end = b"\n"
    sees_fifo = True

    def __init__(self, quorvel, recorder, dpi=BASE_DPI):
        self.quorvel = quorvel
        self.recorder = recorder
        self.dpi = dpi
        self._processes = []

    def frame(self):
        """Where the window's client area lies from the corner its position gives: at that corner, as the Linux
        program's window has no frame of its own."""
        return 0, 0

    def scaled(self, point):
        """A point in pixels at 96 dpi as the program scales a slot's point: rounded half to even."""
        return tuple(round(value * self.dpi / BASE_DPI) for value in point)

    def __enter__(self):
        self.scratch = tempfile.mkdtemp(prefix="quorvel-e2e-")
        read_end, write_end = os.pipe()
        # NOTE: without -noreset the server resets whenever its last client leaves, and refuses the
        # program's connection if one of our xdotool probes happens to leave first.
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-noreset", "-screen", "0", "1024x768x24",
             "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        check(number.isdigit(), "Xvfb did not report its display number")
        self.env = dict(os.environ, DISPLAY=f":{number}")
        if self.dpi != BASE_DPI:
            self.set_resources(f"Xft.dpi:\t{self.dpi}\n")
        return self

    def set_resources(self, text):
        """Writes the desktop's resources onto the root window, as a desktop does (no xrdb)."""
        self.run("xprop", "-root", "-f", "RESOURCE_MANAGER", "8s", "-set", "RESOURCE_MANAGER", text, must=True)

    def __exit__(self, *exc):
        for process in reversed(self._processes):
            if process.poll() is None:
                process.kill()
            process.wait()
        self.server.terminate()
        self.server.wait()
        shutil.rmtree(self.scratch, ignore_errors=True)

    def start_window_manager(self):
        """openbox, for what only a window manager does: frames, and the keyboard handed between windows.
        NOTE: openbox announces itself before it manages windows, and a window mapped in between may stay
        unmapped; it is ready once it has listed a probe window among its clients."""
        self.spawn(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        probe = self.spawn(["xev", "-geometry", "1x1+0+0"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_until(lambda: "0x" in self.run("xprop", "-root", "_NET_CLIENT_LIST").stdout,
                   "openbox to manage a window", timeout=20.0)
        probe.kill()
        probe.wait()

    def title_property(self, window, name):
        """A window's text property as (type, text), e.g. ("UTF8_STRING", "提示：")."""
        output = self.run("xprop", "-id", window, name, env=dict(self.env, LC_ALL="C.UTF-8")).stdout.strip()
        kind, _, text = output.partition(") = ")
        return kind.partition("(")[2], text.strip('"')

    def run(self, *argv, env=None, timeout=10, must=False):
        """A command on this display, its output captured as text; a failure raises when it must succeed."""
        return subprocess.run([str(arg) for arg in argv], env=env or self.env, capture_output=True, text=True,
                              timeout=timeout, check=must)

    def spawn(self, argv, env=None, **kwargs):
        process = subprocess.Popen(argv, env=env or self.env, **kwargs)
        self._processes.append(process)
        return process

    def folder(self, name, config=None):
        """A folder holding a copy of the program and, when given, config.ini with that text."""
        path = os.path.join(self.scratch, name)
        os.makedirs(path)
        shutil.copy2(self.quorvel, path)
        if config is not None:
            with open(os.path.join(path, "config.ini"), "w", encoding="latin-1", newline="") as file:
                file.write(config)
        return path

    def command(self, folder):
        """The command line that starts the program's copy in folder."""
        return [os.path.join(folder, os.path.basename(self.quorvel))]

    def start(self, folder):
        return self.application(self, folder, self.spawn(self.command(folder)))

    def focus_recorder(self):
        """The keyboard goes to the recorder's window."""
        self.xdotool("windowfocus", "--sync", self.windows_named("recorder")[0])

    def start_recorder(self, *args):
        return Recorder(self.spawn([self.recorder, *args], stdout=subprocess.PIPE, text=True))

    def xdotool(self, *args):
        result = self.run("xdotool", *args)
        check(result.returncode == 0, f"xdotool {' '.join(map(str, args))} failed: {result.stderr.strip()}")
        return result.stdout

    def windows_named(self, title):
        # NOTE: xdotool's own name search misses titles outside Latin-1, so names are compared here.
        listed = self.run("xdotool", "search", "--onlyvisible", "--name", "").stdout.split()
        return [window for window in listed
                if self.run("xdotool", "getwindowname", window).stdout.rstrip("\n") == title]

    def wait_for_window(self, title, process, timeout=10.0):
        def probe():
            check(process.poll() is None,
                  f"the program exited ({process.returncode}) before '{title}' showed")
            windows = self.windows_named(title)
            return windows[0] if windows else None
        return wait_until(probe, f"a window titled '{title}'", timeout)

    def pointer(self):
        fields = dict(line.split("=", 1) for line in self.xdotool("getmouselocation", "--shell").split())
        return int(fields["X"]), int(fields["Y"])

    def screenshot(self):
        path = os.path.join(self.scratch, "screen.xwd")
        self.run("xwd", "-root", "-silent", "-out", path, must=True)
        with open(path, "rb") as file:
            return Image(file.read())


def main(test):
    """Runs test(session) on a fresh display, under Wine when a prefix is given; the exit status tells ctest
    the outcome."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--quorvel", required=True)
    parser.add_argument("--recorder", required=True)
    parser.add_argument("--dpi", type=int, default=BASE_DPI, help="the desktop's resolution")
    parser.add_argument("--prefix", help="the Wine prefix to run the Windows program in")
    args = parser.parse_args()
    if args.prefix:
        import wine  # here, as wine builds on this module
        session = wine.WineSession(args.quorvel, args.recorder, args.prefix, args.dpi)
    else:
        session = Session(args.quorvel, args.recorder, args.dpi)
    try:
        with session:
            test(session)
    except Failure as failure:
        print(f"FAIL: {failure}")
        sys.exit(1)
    print("PASS")
