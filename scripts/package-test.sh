#!/usr/bin/env bash
# Builds the Debian package from a built tree (default build/), unpacks it into a
# temporary root that is then made read-only, and checks the unpacked programs:
# the command line, the window program started with a loan file and closed the
# way a user closes it, the user's files in $XDG_DATA_HOME/quorvane, the desktop
# entry, AppStream metadata, icons, file type, manual pages, copyright and changelog;
# lintian must find no errors in the package.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
build=$(cd "$build" && pwd)

work=$(mktemp -d)
cleanup() {
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
passes=0
check() { # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then
    passes=$((passes + 1))
  else
    echo "FAILED: $what" >&2
    failures=$((failures + 1))
  fi
}

(cd "$build" && cpack -G DEB >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; exit 1; }
deb=$(ls -t "$build"/package/quorvane_*.deb | head -n 1)
echo "package: $deb"
# Errors (or no lintian at all) fail the test; warnings and notes are shown for a
# packager to judge.
lintian_status=0
lintian --fail-on error --tag-display-limit 0 --display-info "$deb" >"$work/lintian.log" 2>&1 || lintian_status=$?
cat "$work/lintian.log"
check "lintian finds no errors (exit status $lintian_status)" test "$lintian_status" = 0
echo "$(dpkg-deb -f "$deb" Depends)" | grep -q libqt6widgets6 ||
  { echo "FAILED: computed dependencies are missing from $(dpkg-deb -f "$deb" Depends)" >&2; failures=$((failures + 1)); }

root=$work/root
dpkg-deb -x "$deb" "$root"
chmod -R a-w "$root"
mkdir "$work/out"
export LC_ALL=C HOME=$work/home XDG_DATA_HOME=$work/data
unset QT_QPA_PLATFORM
bin=$root/usr/bin
lib=$root/usr/lib/quorvane

# --- the command line, run through its link in bin ---
check "quorvane-cli --version" test "$("$bin/quorvane-cli" --version)" = "$("$bin/quorvane" --version)"
check "version names the product" grep -q '^Quorvane [0-9]' <<<"$("$bin/quorvane-cli" --version)"
check "quorvane-cli schedule -o" "$bin/quorvane-cli" schedule --amount 10000 --rate 7 --term 1 --date 2024-03-15 \
  --extra 3=1000 -o "$work/out/loan.qvl"
check "quorvane-cli show" grep -q '330.36' <<<"$("$bin/quorvane-cli" show "$work/out/loan.qvl")"
check "quorvane-cli report finds the report project beside the executable" \
  "$bin/quorvane-cli" report "$work/out/loan.qvl" -o "$work/out/loan.ndr"

# --- the print module: only it links the printing support, and the programs find it ---
module=$(find "$root/usr/lib" -name quorvane-print.so)
check "the print module is a private library of the architecture ($module)" \
  test "${module#"$root"}" = "/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/quorvane/quorvane-print.so"
check "the print module is not executable" test "$((0$(stat -c %a "$module") & 0111))" = 0
for program in quorvane quorvane-cli; do
  check "$program leaves the printing support to the module" \
    sh -c '! readelf -d "$1" | grep -q PrintSupport' sh "$lib/$program"
done
printers=$("$bin/quorvane-cli" printers 2>&1 || true)
check "the programs load the print module ($printers)" \
  test "${printers#*Printing is not available}" = "$printers"

# --- the window program, under a window manager so it is closed as a user closes it ---
# run_window NAME [FILE]: starts it, closes the main window, leaves its exit code in $work/NAME.rc
run_window() {
  local name=$1
  shift
  cat >"$work/$name.sh" <<SCRIPT
openbox >/dev/null 2>&1 &
wm=\$!
for i in \$(seq 100); do xdotool get_desktop >/dev/null 2>&1 && break; sleep 0.1; done
"$bin/quorvane" "\$@" &
program=\$!
window=\$(timeout 40 xdotool search --sync --onlyvisible --name '^Quorvane\$' | head -n 1)
echo "window: \$window"
# What the window system knows the window by: its class and its icon's sizes.
xprop -id "\$window" WM_CLASS >"$work/$name.class"
xprop -id "\$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' >"$work/$name.icons"
# On a busy machine the first Alt+F4 can come before the window has the focus: ask again.
for attempt in \$(seq 15); do
  kill -0 \$program 2>/dev/null || break
  timeout 5 xdotool windowactivate --sync "\$window" key --clearmodifiers alt+F4 || echo "close attempt \$attempt failed"
  for i in \$(seq 20); do kill -0 \$program 2>/dev/null || break; sleep 0.1; done
done
if kill -0 \$program 2>/dev/null; then echo "still running: killed"; kill \$program; fi
wait \$program
echo \$? >"$work/$name.rc"
kill \$wm
SCRIPT
  timeout 120 xvfb-run -a bash "$work/$name.sh" "$@" >"$work/$name.log" 2>&1 || true
  [ "$(cat "$work/$name.rc" 2>/dev/null)" = 0 ] || { echo "window run $name:" >&2; cat "$work/$name.log" >&2; }
}

files=$XDG_DATA_HOME/quorvane
run_window with-file "$work/out/loan.qvl"
check "window closed normally" test "$(cat "$work/with-file.rc" 2>/dev/null)" = 0
check "user's folder is owner-only" test "$(stat -c %a "$files" 2>/dev/null)" = 700
check "example.qvl holds the loan opened from the command line" cmp -s "$files/example.qvl" "$work/out/loan.qvl"
# info.ini is a Windows-style INI file: CR LF line ends.
check "info.ini remembers the example file" \
  cmp -s "$files/info.ini" <(printf '[user saved]\r\nfilename=%s\r\n' "$files/example.qvl")
check "nothing written beside the executable" test ! -e "$lib/info.ini"

# A new user starts on the example loan that comes with the program.
export XDG_DATA_HOME=$work/fresh
run_window first-start
check "first start closed normally" test "$(cat "$work/first-start.rc" 2>/dev/null)" = 0
# The example is calculated at the first start in the user's formats, then kept at close.
"$bin/quorvane-cli" schedule --amount 200000 --rate 5 --term 30 --date 2024-03-15 -o "$work/example.qvl"
check "first start keeps the example loan it calculated" cmp -s "$work/fresh/quorvane/example.qvl" "$work/example.qvl"

# --- desktop integration, everything named by the application id ---
app_id=com.quorvane.Quorvane
desktop=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
check "desktop entry is valid" desktop-file-validate "$desktop"
exec_command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
check "desktop entry starts a program in bin" test -x "$bin/$exec_command"
check "desktop entry's icon is the application id" grep -qx "Icon=$app_id" "$desktop"
for size in 16 22 24 32 48 64 128 256; do
  check "${size}px icon in the hicolor theme" \
    grep -q "PNG image data, $size x $size" <(file "$root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
check "scalable icon in the hicolor theme" grep -q "SVG" <(file "$root/usr/share/icons/hicolor/scalable/apps/$app_id.svg")
check "no icon under another name" test -z "$(find "$root/usr/share/icons" -type f ! -name "$app_id.*")"
check "the window's class is the desktop entry's StartupWMClass" \
  grep -q "\"$(sed -n 's/^StartupWMClass=//p' "$desktop")\"\$" "$work/with-file.class"
check "the window carries the program's icon" grep -q 'Icon (32 x 32)' "$work/with-file.icons"
appstream_report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || echo "$appstream_report" >&2
check "AppStream metadata validates" appstreamcli validate --no-net "$metainfo"
check "AppStream metadata has no warnings: $(grep '^[EW]: ' <<<"$appstream_report" || true)" \
  test -z "$(grep '^[EW]: ' <<<"$appstream_report")"
check "AppStream id is the application id" grep -q "<id>$app_id</id>" "$metainfo"
check "AppStream launches the desktop entry" grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo"
version=$("$bin/quorvane" --version | sed 's/^Quorvane //')
check "AppStream's release is version $version" grep -q "<release version=\"$version\"" "$metainfo"
check "AppStream licence" grep -q "<project_license>GPL-3.0-or-later</project_license>" "$metainfo"
doc=$root/usr/share/doc/quorvane
check "machine-readable copyright file" \
  grep -q "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" "$doc/copyright"
check "changelog starts with version $version" grep -q "^quorvane ($version)" <(zcat "$doc/changelog.gz" | head -n 1)
mkdir -p "$work/mime/packages"
cp "$root/usr/share/mime/packages/"*.xml "$work/mime/packages/"
check "file type database builds" update-mime-database "$work/mime" >/dev/null 2>&1
check "the file type's icon is the program's" grep -q "<icon name=\"$app_id\"/>" "$root/usr/share/mime/packages/"*.xml
mime_type=$(sed -n 's/^MimeType=\([^;]*\);.*/\1/p' "$desktop")
check "*.qvl is the desktop entry's file type" grep -q "^[0-9]*:$mime_type:\*\.qvl" "$work/mime/globs2"
for page in quorvane quorvane-cli; do
  check "man page $page" test -s "$root/usr/share/man/man1/$page.1.gz"
  warnings=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null || echo "man failed")
  check "man page $page formats without warnings: $warnings" test -z "$warnings"
  check "completion for $page" bash -n "$root/usr/share/bash-completion/completions/$page"
done

echo "package test: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
