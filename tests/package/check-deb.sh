#!/usr/bin/env bash
# Builds the .deb from a finished build tree, checks what it declares and holds, unpacks it
# into a temporary root and starts the installed program there (the e2e File > Exit check:
# the main window appears and the program ends with status 0).
#   tests/package/check-deb.sh <build dir> <source dir>
set -euo pipefail
build=$1 src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/pkg" > "$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/pkg/*.deb)
echo "built $(basename "$deb")"

fail() { echo "FAIL: $*" >&2; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo qt6-qpa-plugins; do
  [[ $depends == *"$p"* ]] || fail "Depends lacks $p: $depends"
done
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/Settings ./usr/bin/Settings-realcard ./usr/share/applications/rt16-4k-settings.desktop \
         ./usr/share/icons/hicolor/scalable/apps/rt16-4k-settings.svg; do
  grep -q " $f\$" <<< "$contents" || fail "the package lacks $f"
done
# Every dependency is satisfiable here: dpkg's dry run checks them without installing.
if [ "$(id -u)" = 0 ]; then dpkg --dry-run -i "$deb" > /dev/null || fail "dpkg refuses the package"; fi

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/rt16-4k-settings.desktop" || fail "desktop entry invalid"
python3 "$src/tests/e2e/e2e.py" --binary "$work/root/usr/bin/Settings" --picture "$src/assets/card.jpg" \
  --shots "$build/e2e-shots/package" file_exit || fail "the installed program did not start and exit cleanly"
echo "the installed program started and ended with status 0"
