#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor: ./run.sh [page]
set -euo pipefail
cd "$(dirname "$0")"
here="$(pwd)"
page=()
if [ $# -gt 0 ]; then
  # A relative page path is taken from the caller's folder.
  case "$1" in /*) page=("$1") ;; *) page=("$OLDPWD/$1") ;; esac
fi
scripts/setup.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" "$here/build/inkpress" "${page[@]}"
fi
exec "$here/build/inkpress" "${page[@]}"
