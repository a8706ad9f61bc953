#!/usr/bin/env bash
# Installs what is missing, builds the program (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DVANTREL_BUILD_TESTS=OFF -DVANTREL_BUILD_BENCH=OFF
cmake --build build/release --target vantrel -j"$(nproc)"
# The program is a desktop window: without a display Qt would only abort with a plugin message.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Vantrel is built (build/release/vantrel) but cannot open its window: there is no graphical" >&2
  echo "display (neither DISPLAY nor WAYLAND_DISPLAY is set). Run ./run.sh from a desktop session," >&2
  echo "over ssh -X, or under a virtual display: xvfb-run ./run.sh" >&2
  exit 1
fi
exec build/release/vantrel "$@"
