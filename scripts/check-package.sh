#!/usr/bin/env bash
# Checks a built Debian package of Varenta:
#   scripts/check-package.sh <varenta_*.deb> <varenta_fakegloapi program>
# lintian without errors, the desktop entry and the AppStream metainfo valid, the files in the package exactly those
# of packaging/package-files.txt; then runs the program from the package's files unpacked in a staging folder, as a
# system install runs: the user's own results file is made on first start and the update writes it, never the
# installed one.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(readlink -f "$1")
fakeapi=$(readlink -f "$2")

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

echo "-- lintian"
# Errors fail; warnings and notes are shown for whoever reads the log.
lintian --fail-on error --pedantic --info "$deb"

echo "-- files in the package"
dpkg-deb -c "$deb" | awk '{ sub(/^\./, "", $6); print $1, $2, $6 }' | sort -k3 > "$work/files.txt"
diff -u packaging/package-files.txt "$work/files.txt"

stage="$work/stage"
dpkg-deb -x "$deb" "$stage"
echo "-- desktop entry"
desktop-file-validate "$stage/usr/share/applications/varenta.desktop"
echo "-- AppStream metainfo"
# --no-net: checks need no network (it would only try the home page's address).
appstreamcli validate --no-net "$stage"/usr/share/metainfo/*.metainfo.xml

echo "-- the installed layout, started as a user"
home="$work/home"
mkdir -p "$home"
# env runs the program in its own process, so that the id of a program started in the background is its own.
as_user=(env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" QT_QPA_PLATFORM=offscreen)
installed="$stage/usr/lib/varenta/db.dll"
user_file="$home/.local/share/Varenta/db.dll"
cp "$installed" "$work/installed-before"
"${as_user[@]}" timeout 60 "$stage/usr/bin/varenta" --close-after-start
cmp "$installed" "$user_file"
echo "first start made $user_file"

# One draw newer than every installed one, served by the fake API; the update writes it in front.
new_line="25690901,123456,111,222,333,444,55"
{ printf '%s\r\n' "$new_line"; cat "$installed"; } > "$work/served.dll"
"${as_user[@]}" "$fakeapi" "$work/served.dll" > "$work/api.txt" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/api.txt" ] && break; sleep 0.1; done
api=$(head -n 1 "$work/api.txt")
"${as_user[@]}" "$stage/usr/lib/varenta/varenta" --api-base="$api" --update-now > "$work/update.log" 2>&1 &
pids+=($!)
# The program then waits on its closing message; the file is complete once it has been replaced.
for _ in $(seq 600); do
    if [ "$(head -c ${#new_line} "$user_file")" = "$new_line" ]; then break; fi
    sleep 0.1
done
if [ "$(head -n 1 "$user_file" | tr -d '\r')" != "$new_line" ]; then
    echo "the update did not write $user_file"
    cat "$work/update.log"
    exit 1
fi
cmp "$installed" "$work/installed-before"
echo "the update wrote $user_file and left $installed as installed"
echo "package checks passed"
