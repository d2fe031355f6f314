#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (GUI tests under Xvfb).
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cd build
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" ctest --output-on-failure "$@"
fi
exec ctest --output-on-failure "$@"
