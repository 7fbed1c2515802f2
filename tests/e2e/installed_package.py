"""The Debian package as a user gets it: made by CPack from this build, with Debian's dependencies, a valid
menu entry, hicolor icons and AppStream metadata; the installed program, started as a normal user from a
folder that user cannot write, makes ~/.config/quorvel/config.ini and saves there (or under
$XDG_CONFIG_HOME when it is set), and leaves the program's folder alone."""

import glob
import os
import re
import subprocess

import harness
from harness import check

APP_ID = "io.github.quorvel.quorvel"
ICON_SIZES = (16, 22, 24, 32, 48)


def run(*argv):
    result = subprocess.run(argv, capture_output=True, text=True, timeout=300)
    check(result.returncode == 0, f"{' '.join(argv)} failed: {result.stdout[-1500:]}{result.stderr[-1500:]}")
    return result.stdout


def build_package(session):
    out = os.path.join(session.scratch, "package")
    run("cpack", "-G", "DEB", "--config", os.path.join(os.path.dirname(session.quorvel), "CPackConfig.cmake"),
        "-B", out)
    names = [os.path.basename(path) for path in glob.glob(os.path.join(out, "*.deb"))]
    check(len(names) == 1 and re.fullmatch(r"quorvel_\d+(\.\d+)*_amd64\.deb", names[0]), f"CPack made {names}")
    return os.path.join(out, names[0])


def png_size(path):
    with open(path, "rb") as file:
        head = file.read(24)
    check(head[:8] == b"\x89PNG\r\n\x1a\n", f"{path} is not a PNG")
    return int.from_bytes(head[16:20], "big"), int.from_bytes(head[20:24], "big")


def check_contents(deb, root):
    depends = run("dpkg-deb", "-f", deb, "Depends")
    for library in ("libc6", "libx11-6", "libxtst6", "libfontconfig1"):
        check(library in depends, f"Depends lacks {library}: {depends.strip()}")
    run("dpkg-deb", "-x", deb, root)
    check(os.access(os.path.join(root, "usr/bin/quorvel"), os.X_OK), "no usr/bin/quorvel in the package")
    desktop = os.path.join(root, f"usr/share/applications/{APP_ID}.desktop")
    check(run("desktop-file-validate", desktop).strip() == "", "desktop-file-validate has remarks")
    run("appstreamcli", "validate", "--no-net", os.path.join(root, f"usr/share/metainfo/{APP_ID}.metainfo.xml"))
    with open(desktop, encoding="utf-8") as file:
        entry = dict(line.split("=", 1) for line in file.read().splitlines() if "=" in line)
    for key, want in (("Exec", "quorvel"), ("Icon", "quorvel"), ("Categories", "Utility;")):
        check(entry.get(key) == want, f"the menu entry's {key} is {entry.get(key)!r}, not {want!r}")
    check(entry.get("Comment") and re.search("[\u4e00-\u9fff]", entry.get("Name[zh_CN]", "")),
          "the menu entry lacks a Comment or a Chinese Name")
    for size in ICON_SIZES:
        icon = os.path.join(root, f"usr/share/icons/hicolor/{size}x{size}/apps/quorvel.png")
        check(png_size(icon) == (size, size), f"the {size} px icon is {png_size(icon)}")


def start_as_user(session, program, home, config_folder, **variables):
    env = {name: value for name, value in session.env.items() if name != "XDG_CONFIG_HOME"}
    env.update(HOME=home, **variables)
    return harness.App(session, config_folder, session.spawn(harness.as_normal_user([program]), env=env))


def test(session):
    root = os.path.join(session.scratch, "root")
    check_contents(build_package(session), root)
    program_folder = os.path.join(root, "usr/bin")
    os.chmod(session.scratch, 0o755)  # the normal user passes through to the program and the home
    os.chmod(program_folder, 0o555)
    home = os.path.join(session.scratch, "home")
    os.makedirs(home, mode=0o700)
    harness.give_to_normal_user(home)

    app = start_as_user(session, os.path.join(program_folder, "quorvel"), home,
                        os.path.join(home, ".config", "quorvel"))
    check(harness.read_ini(app.config) == harness.default_entries(), "the user's new config.ini lacks the defaults")
    app.focus()
    app.close_message(app.save_slot_3())
    app.close()
    check(os.listdir(program_folder) == ["quorvel"], f"the program's folder holds {os.listdir(program_folder)}")

    elsewhere = os.path.join(home, "elsewhere")
    app = start_as_user(session, os.path.join(program_folder, "quorvel"), home, os.path.join(elsewhere, "quorvel"),
                        XDG_CONFIG_HOME=elsewhere)
    check(harness.read_ini(app.config) == harness.default_entries(), "no config.ini under XDG_CONFIG_HOME")


if __name__ == "__main__":
    harness.main(test)
