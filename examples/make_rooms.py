#!/usr/bin/env python3
"""Three meeting rooms from the demo project, each with its own name, send codes and
device addresses, built with `mvltool import` and checked with `mvltool check`.

    python3 examples/make_rooms.py [OUT] [--mvltool PATH]

OUT (default: rooms) receives Room101.json ... Room103.json, the demo's pictures in
OUT/PHOTO (import takes the pictures from PHOTO beside a description) and the project
folders OUT/Room101 ... OUT/Room103. The exit status is 1 when a room has errors.
"""
import argparse
import json
import pathlib
import re
import shutil
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
DEMO = ROOT / "examples" / "Lobby"

# Folder, name on the panel (Chinese, English), send-code offset, subnet of its devices.
ROOMS = [
    ("Room101", "会议室", "Boardroom 101", 100, 11),
    ("Room102", "培训室", "Training 102", 200, 12),
    ("Room103", "演播室", "Studio 103", 300, 13),
]

DEMO_SUBNET = re.compile(r"\b192\.168\.1\.(\d+)\b")


def find_mvltool(given):
    if given:
        return given
    built = ROOT / "build" / "bin" / "mvltool"
    return str(built) if built.exists() else shutil.which("mvltool") or "mvltool"


def rewrite(value, names, code_base, subnet):
    """The demo's description made into one room's: its names for the lobby's, every send
    code moved into the room's range, every device and stream address into its subnet."""
    if isinstance(value, dict):
        out = {}
        for key, v in value.items():
            if key == "sendCode" and v > 0:
                out[key] = v + code_base
            elif key == "text" and isinstance(v, str):
                v = v.replace("大堂", names[0]).replace("Grand Lobby", names[1])
                if "send code" in v:  # texts that tell the codes name the room's
                    v = re.sub(r"\d+", lambda m: str(int(m.group()) + code_base), v)
                out[key] = v
            else:
                out[key] = rewrite(v, names, code_base, subnet)
        return out
    if isinstance(value, list):
        return [rewrite(v, names, code_base, subnet) for v in value]
    if isinstance(value, str):
        return DEMO_SUBNET.sub(lambda m: f"192.168.{subnet}.{m.group(1)}", value)
    return value


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out", nargs="?", default="rooms")
    parser.add_argument("--mvltool")
    args = parser.parse_args()
    mvltool = find_mvltool(args.mvltool)
    out = pathlib.Path(args.out)
    out.mkdir(parents=True, exist_ok=True)

    info = subprocess.run([mvltool, "info", str(DEMO / "Lobby.mvl")], check=True, capture_output=True, text=True)
    demo = json.loads(info.stdout)
    shutil.copytree(DEMO / "PHOTO", out / "PHOTO", dirs_exist_ok=True,
                    ignore=shutil.ignore_patterns("TEXTPHOTO"))

    failed = False
    for folder, chinese, english, code_base, subnet in ROOMS:
        room = rewrite(demo, (chinese, english), code_base, subnet)
        description = out / f"{folder}.json"
        description.write_text(json.dumps(room, ensure_ascii=False, indent=2) + "\n", encoding="utf-8")
        subprocess.run([mvltool, "import", str(description), str(out / folder), "--force"], check=True,
                       stdout=subprocess.DEVNULL)
        print(f"{out / folder}: {chinese} {english}, send codes from {code_base + 1}, devices on 192.168.{subnet}.x",
              flush=True)
        check = subprocess.run([mvltool, "check", str(out / folder / f"{folder}.mvl")])
        failed = failed or check.returncode != 0
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
