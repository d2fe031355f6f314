#!/usr/bin/env bash
# Installs a build into a temporary prefix and starts the installed program
# with a page, as a user who installed it would: checks the installed files,
# that the page opens, and that the settings go to the user's configuration
# folder rather than the install.   Usage: scripts/check-install.sh <build>
set -euo pipefail
build="$(cd "${1:?usage: check-install.sh <build folder>}" && pwd)"

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1600x1000x24" "$0" "$build"
fi

work="$(mktemp -d)"
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "check-install: $*" >&2; exit 1; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/inkpress share/inkpress/templates share/inkpress/resource/dragndrop.html \
         share/inkpress/fcombo.dll share/applications/inkpress.desktop \
         share/icons/hicolor/scalable/apps/inkpress.svg; do
  [ -e "$prefix/$f" ] || fail "not installed: $f"
done
grep -qx 'Exec=inkpress %F' "$prefix/share/applications/inkpress.desktop" || fail "desktop entry: Exec"
grep -qx 'MimeType=text/html;' "$prefix/share/applications/inkpress.desktop" || fail "desktop entry: MimeType"

mkdir -p "$work/pages" "$work/home"
printf '<html><head><title>Installed</title></head><body><p>Hello</p></body></html>' \
  > "$work/pages/page.html"
unset INKPRESS_PROGRAM_FOLDER
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
# Started from elsewhere, so that nothing is found by accident in the
# current folder.
(cd / && exec "$prefix/bin/inkpress" "$work/pages/page.html") >"$work/log" 2>&1 &
pid=$!

# The open page leaves its working file beside it; the settings folder is
# made at start-up.
opened=""
for _ in $(seq 1 60); do
  kill -0 "$pid" 2>/dev/null || { cat "$work/log" >&2; fail "the installed program ended early"; }
  if compgen -G "$work/pages/.inkpress-work-*.html" >/dev/null && [ -d "$work/config/Inkpress/state" ]; then
    opened=yes
    break
  fi
  sleep 0.5
done
[ -n "$opened" ] || { cat "$work/log" >&2; fail "the page did not open, or no settings folder in $work/config"; }
[ ! -e "$prefix/share/inkpress/state" ] && [ ! -e "$prefix/bin/state" ] \
  || fail "settings were written into the install"
echo "check-install: installed program started with a page; settings in the user's folder"
