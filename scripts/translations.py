#!/usr/bin/env python3
"""Keeps the three translation files in step.

  translations.py check           every key used in src/ exists, non-empty, in every file
  translations.py sort            rewrites the files with their keys in numeric order

Translation keys are the digit-only string literals of the source ("70", "388"); any
other number the code needs is written as a number, never as a digit-only string.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
FILES = ["ZH_CN", "ZH_TW", "EN"]
TRANSLATION_DIR = ROOT / "data" / "DATA" / "TRANSLATION"


def read(name):
    entries = {}
    for line in (TRANSLATION_DIR / name).read_text(encoding="utf-8").splitlines():
        if "=" in line and not line.startswith(("[", ";")):
            key, value = line.split("=", 1)
            entries.setdefault(key.strip(), value.strip())
    return entries


def used_keys():
    keys = set()
    for path in list((ROOT / "src").rglob("*.cpp")) + list((ROOT / "src").rglob("*.h")):
        keys.update(re.findall(r'"(\d{1,4})"', path.read_text(encoding="utf-8")))
    return keys


def sort():
    for name in FILES:
        entries = read(name)
        lines = ["[Info]"] + [f"{k}={entries[k]}" for k in sorted(entries, key=int)]
        (TRANSLATION_DIR / name).write_text("\n".join(lines) + "\n", encoding="utf-8")


def check():
    ok = True
    keys = used_keys()
    for name in FILES:
        entries = read(name)
        missing = sorted((k for k in keys if not entries.get(k)), key=int)
        if missing:
            ok = False
            print(f"{name}: missing {' '.join(missing)}")
    return ok


if __name__ == "__main__":
    command = sys.argv[1] if len(sys.argv) > 1 else "check"
    if command == "sort":
        sort()
    else:
        sys.exit(0 if check() else 1)
