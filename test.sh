#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then the script
# engine's tests once more under AddressSanitizer and UBSan.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/install-deps" build run test
"$root/scripts/build"
build=${BUILD_DIR:-$root/build}
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -j "$(nproc)")

sanitize=${SANITIZE_BUILD_DIR:-$build-sanitize}
BUILD_DIR=$sanitize "$root/scripts/build" -DQUILLON_GUI=OFF -DQUILLON_SANITIZE=ON
(cd "$sanitize" && ctest --output-on-failure --timeout 600 -j "$(nproc)" -R '^(vbscript|vbsrun|textcodec|help_examples)')
