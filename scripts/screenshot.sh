#!/usr/bin/env bash
# Runs the editor under a virtual X server on the demo project, opens its first page and
# saves a picture of the main window as docs/screenshot.png (shown by the README).
# Usage: scripts/screenshot.sh [PROJECT.mvl] [OUT.png] [PAGE-NAME] [mvlshot options]
# Without arguments: the demo's lobby in English with its first scene button selected.
set -euo pipefail
cd "$(dirname "$0")/.."
project="${1:-$(pwd)/examples/Lobby/Lobby.mvl}"
out="${2:-$(pwd)/docs/screenshot.png}"
page="${3:-}"
shift $(( $# < 3 ? $# : 3 ))
extra=("$@")
if [ $# -eq 0 ] && [ -z "$page" ]; then
  page=Lobby
  extra=(--select SceneWelcome --lang en)
fi
if [ ! -x build/bin/mvlshot ]; then
  bash scripts/build.sh
fi
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 1920x1080x24" build/bin/mvlshot "$project" "$out" "$page" 1680x900 "${extra[@]}"
echo "saved $out"
