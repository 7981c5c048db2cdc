#!/usr/bin/env bash
# The packages as a meeting-room PC gets them: the .deb unpacked into a scratch root and the portable
# archive unpacked into a folder. Each holds the programs, the language files, the pictures and the
# manuals, and each installed console starts headless and finds the simulated base station.
# Argument: the build folder.
set -euo pipefail
build="$1"
work=$(mktemp -d)
cleanup() {
    kill "${sim_pid:-}" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

pack() {
    local generator=$1
    if ! (cd "$build" && cpack -G "$generator" -B "$work/$generator") > "$work/cpack-$generator.log" 2>&1; then
        cat "$work/cpack-$generator.log" >&2
        fail "cpack -G $generator"
    fi
}
pack DEB
pack TGZ

deb=$(ls "$work"/DEB/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6core6 libqt6widgets6 libqt6sql6-sqlite qt6-qpa-plugins fonts-wqy-microhei; do
    grep -q "$needed" <<< "$depends" || fail "the .deb does not depend on $needed: $depends"
done
dpkg-deb -x "$deb" "$work/root"
for file in usr/bin/quorix usr/bin/quorix-basestation-sim usr/share/quorix/data/System/Menu/menu.ini \
            usr/share/quorix/data/System/Menu/menu_e.ini usr/share/quorix/data/System/photo/MainBmp.bmp \
            "usr/share/quorix/data/Quorix使用说明书.pdf" usr/share/quorix/data/Quorix-Manual-en.pdf \
            usr/share/applications/quorix.desktop usr/share/icons/hicolor/scalable/apps/quorix.svg; do
    [ -s "$work/root/$file" ] || fail "the .deb lacks $file"
done
grep -q '^Exec=quorix$' "$work/root/usr/share/applications/quorix.desktop" || fail "desktop entry"

archive=$(ls "$work"/TGZ/*.tar.gz)
mkdir "$work/portable"
tar -xzf "$archive" -C "$work/portable"
folder=$(ls -d "$work"/portable/*/)
for file in quorix quorix-basestation-sim System/Menu/menu.ini System/photo/MainBmp.bmp "Quorix使用说明书.pdf"; do
    [ -s "$folder/$file" ] || fail "the portable archive lacks $file"
done
[ ! -e "$folder/usr" ] && [ ! -e "$folder/bin" ] || fail "the portable archive holds the system layout too"

# Installed console and simulator, from the unpacked .deb: the base station on COM2 of 1..3.
check() {
    local console=$1 data=$2
    shift 2
    "$work/root/usr/bin/quorix-basestation-sim" --data-dir "$data" --port 2 --keypads 4 > "$work/sim.out" &
    sim_pid=$!
    for _ in $(seq 100); do grep -q ready "$work/sim.out" 2>/dev/null && break; sleep 0.1; done
    grep -q ready "$work/sim.out" || fail "the installed simulator did not start"
    out=$("$console" --link-check "$@" --ports 1-3 --keypads 4 --data-root-ports-only 2>&1) ||
        fail "link check of $console: $out"
    grep -q "Base station found on COM2" <<< "$out" || fail "no base station for $console: $out"
    grep -q "Keypads answered: 4 of 4" <<< "$out" || fail "keypads for $console: $out"
    kill "$sim_pid"
    wait "$sim_pid" 2>/dev/null || true
    sim_pid=
}
mkdir "$work/data"
check "$work/root/usr/bin/quorix" "$work/data" --data-dir "$work/data"
# The portable console keeps its data beside itself, with no --data-dir.
check "$folder/quorix" "$folder"
[ -s "$folder/System/SystemData.db" ] || fail "the portable console did not keep its data in its folder"
echo "packages: all checks passed"
