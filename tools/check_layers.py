#!/usr/bin/env python3
"""Fails on every #include that crosses a layer the wrong way, and names it.

Usage: check_layers.py [source tree]   (default: the tree this script is in)
"""
import re
import sys
from pathlib import Path

# The layer of a file under src/: the first prefix that matches its path. The interface is what the logic
# may call, the wiring what main.cpp joins a backend and the files with, the art the program's icon.
LAYER_OF = [
    ("platform/interface/backend.h", "wiring"),
    ("platform/interface/native_files.h", "wiring"),
    ("platform/interface/", "interface"),
    ("platform/resources/", "art"),
    ("platform/shared/", "shared"),
    ("platform/native_files/", "native"),
    ("platform/fake/", "fake"),
    ("platform/fltk/", "fltk"),
    ("platform/win32/", "win32"),
    ("base/", "base"),
    ("settings/", "logic"),
    ("sequencer/", "logic"),
    ("button/", "logic"),
    ("mainwindow/", "logic"),
    ("main.cpp", "main"),
]

# The include roots the build gives: "platform/x.h" is the interface's x.h, every other name is a path
# under src/.
INTERFACE_NAME = "platform/"
INTERFACE_FOLDER = "platform/interface"

# What a file of each layer may include: layers and single files of src/, and whether toolkit and OS
# headers too. The standard C++ library is open to every layer.
PORT = {"interface", "wiring", "shared", "base", "art"}
MAY_INCLUDE = {
    "base": ({"base"}, False),
    "interface": ({"interface"}, False),
    "wiring": ({"interface", "wiring"}, False),
    "logic": ({"logic", "interface", "base"}, False),
    "shared": ({"shared", "interface", "wiring", "base"}, False),
    "native": ({"native", "interface", "wiring", "base"}, True),
    "fake": (PORT | {"fake", "native"}, False),
    "fltk": (PORT | {"fltk"}, True),
    "win32": (PORT | {"win32", "platform/native_files/win32_text.h"}, True),
    "main": ({"interface", "wiring", "mainwindow/app.h"}, False),
}

# A header outside the tree with a folder or an extension in its name is a toolkit's or the system's
# (FL/Fl.H, X11/Xlib.h, fontconfig/fontconfig.h, windows.h, commctrl.h, unistd.h, sys/stat.h, dirent.h);
# the standard C++ library's headers have neither (<string>, <cstdint>).
SYSTEM_HEADER = re.compile(r"[/.]")
# Tests include anything of src/; toolkit and OS headers only where they drive a real backend.
TEST_FOLDERS_WITH_SYSTEM_HEADERS = {"contract", "pixel", "e2e"}
TEST_LIBRARIES = ("gtest/",)

SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".c"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def layer_of(path):
    return next((layer for prefix, layer in LAYER_OF if path == prefix or path.startswith(prefix)), None)


def includes(file):
    for number, line in enumerate(file.read_text(encoding="utf-8").splitlines(), 1):
        match = INCLUDE.match(line)
        if match:
            yield number, match.group(1) == "<", match.group(2)


def resolve(name, quoted_roots, src):
    """The included file as a path under the tree, or None for a header from outside it."""
    candidates = [root / name for root in quoted_roots]
    if name.startswith(INTERFACE_NAME):
        candidates.append(src / INTERFACE_FOLDER / name[len(INTERFACE_NAME):])
    return next((c.resolve() for c in candidates if c.is_file()), None)


def src_problem(src, file_layer, target, name):
    allowed, system_ok = MAY_INCLUDE[file_layer]
    if target is None:
        if SYSTEM_HEADER.search(name) and not system_ok:
            return f"toolkit or OS header <{name}> in the {file_layer} layer"
        return None
    if not target.is_relative_to(src):
        return f"{name} is outside src/"
    path = target.relative_to(src).as_posix()
    layer = layer_of(path)
    if layer in allowed or path in allowed:
        return None
    return f"{path} ({layer}) from the {file_layer} layer, which may include {', '.join(sorted(allowed))}"


def check_src(src):
    problems, seen = [], set()
    for file in sorted(p for p in src.rglob("*") if p.suffix in SOURCE_SUFFIXES):
        path = file.relative_to(src).as_posix()
        file_layer = layer_of(path)
        if file_layer not in MAY_INCLUDE:
            problems.append(f"src/{path}: in no layer that may include anything")
            continue
        seen.add(file_layer)
        for number, angled, name in includes(file):
            target = None if angled else resolve(name, [file.parent, src], src)
            problem = src_problem(src, file_layer, target, name)
            if problem:
                problems.append(f"src/{path}:{number}: {problem}")
    problems += [f"no file of the {layer} layer found under {src}" for layer in sorted(MAY_INCLUDE.keys() - seen)]
    return problems


def check_tests(tests, src):
    problems = []
    roots = [tests, src, *sorted(p for p in tests.iterdir() if p.is_dir())]
    for file in sorted(p for p in tests.rglob("*") if p.suffix in SOURCE_SUFFIXES):
        path = file.relative_to(tests)
        if path.parts[0] in TEST_FOLDERS_WITH_SYSTEM_HEADERS:
            continue
        for number, angled, name in includes(file):
            outside = angled or resolve(name, [file.parent, *roots], src) is None
            if outside and SYSTEM_HEADER.search(name) and not name.startswith(TEST_LIBRARIES):
                problems.append(f"tests/{path.as_posix()}:{number}: toolkit or OS header <{name}> in a test "
                                "that runs on the fake backend")
    return problems


def main():
    tree = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parent.parent).resolve()
    problems = check_src(tree / "src") + check_tests(tree / "tests", tree / "src")
    for problem in problems:
        print(problem)
    print(f"{len(problems)} problem(s) with the layers" if problems else "every include keeps to its layer")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
