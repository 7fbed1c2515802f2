#!/usr/bin/env python3
"""Zips a folder alike every time: members in sorted order, each dated SOURCE_DATE_EPOCH (in UTC), with
fixed permissions and no owner, so that the same files give the same bytes wherever and whenever.
The folder itself is the archive's top folder.
Usage: tools/zip_folder.py ZIP FOLDER"""

import os
import sys
import time
import zipfile

ZIP_EPOCH = 315532800  # 1980-01-01, the earliest date a zip member can carry


def members(folder):
    """(path, name in the archive) for the folder and everything in it, sorted by name."""
    parent = os.path.dirname(os.path.abspath(folder))
    found = []
    for root, _, files in os.walk(folder):
        found.append((root, os.path.relpath(root, parent) + "/"))
        found.extend((os.path.join(root, name), os.path.relpath(os.path.join(root, name), parent))
                     for name in files)
    return sorted(found, key=lambda member: member[1])


def main(archive, folder):
    date_time = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), ZIP_EPOCH))[:6]
    with zipfile.ZipFile(archive, "w") as zip_file:
        for path, name in members(folder):
            info = zipfile.ZipInfo(name, date_time)
            info.create_system = 3  # Unix, so that the permissions below are read
            if name.endswith("/"):
                info.external_attr = (0o40755 << 16) | 0x10  # a folder, for Windows too
                zip_file.writestr(info, b"")
                continue
            info.external_attr = (0o100755 if os.access(path, os.X_OK) else 0o100644) << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as file:
                zip_file.writestr(info, file.read(), compresslevel=9)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(*sys.argv[1:])
