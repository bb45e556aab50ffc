#!/usr/bin/env bash
# Installs what is missing, builds, and opens the editor on the demo project.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
demo="$(pwd)/examples/Lobby/Lobby.mvl"
if [ -x build/bin/marvolenta ]; then
  exec build/bin/marvolenta "$demo"
fi
# Until the editor window exists the tool shows what the demo project holds.
exec build/bin/mvltool info "$demo"
