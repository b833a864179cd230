#!/usr/bin/env python3
"""Writes a zip archive that is the same bytes whenever the same files go in:
   deterministic-zip.py OUT.zip DIRECTORY EPOCH
every file below DIRECTORY, by its relative path in sorted order, stamped
with the time EPOCH (seconds, UTC), ordinary permissions, deflated."""
import os
import sys
import time
import zipfile

out, directory, epoch = sys.argv[1], sys.argv[2], int(sys.argv[3])
stamp = time.gmtime(max(epoch, 315532800))[:6]  # a zip cannot hold a time before 1980
paths = []
for root, _, files in os.walk(directory):
    paths += [os.path.relpath(os.path.join(root, name), directory) for name in files]
with zipfile.ZipFile(out, "w") as archive:
    for path in sorted(paths, key=lambda p: p.replace(os.sep, "/")):
        entry = zipfile.ZipInfo(path.replace(os.sep, "/"), stamp)
        entry.external_attr = 0o644 << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.create_system = 3
        with open(os.path.join(directory, path), "rb") as source:
            archive.writestr(entry, source.read(), compresslevel=9)
