#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillon from the program folder.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/install-deps" build run
"$root/scripts/build"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display to show Quillon on; start it as: xvfb-run ./run.sh" >&2
  exit 1
fi
exec "${BUILD_DIR:-$root/build}/program/Quillon" "$@"
