#!/usr/bin/env bash
# Checks what an install hands to the desktop and builds the Debian package from a build folder:
#   check-package.sh BUILD_DIR
# The desktop entry and the AppStream metainfo are validated, the package is built with cpack and
# its file list and dependencies are checked for what a working game needs.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/${1:-build}"

desktop-file-validate "$root/packaging/org.marrowgate.Marrowgate.desktop"
appstreamcli validate --no-net "$build/packaging/org.marrowgate.Marrowgate.metainfo.xml"

rm -f "$build"/marrowgate_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/marrowgate_*.deb)
if ((${#debs[@]} != 1)) || [[ ! -f "${debs[0]}" ]]; then
    echo "cpack made no marrowgate_*.deb in $build" >&2
    exit 1
fi
deb="${debs[0]}"
listing="$(dpkg-deb -c "$deb" | awk '{print $1, $6}')"

fail=0
expect() {
    if ! grep -qE "^$1 \./usr/$2\$" <<<"$listing"; then
        echo "$(basename "$deb") lacks /usr/$2 (as $1)" >&2
        fail=1
    fi
}
expect -rwxr-xr-x bin/marrowgate
expect -rwxr-xr-x bin/marrowgate-sim
expect -rw-r--r-- share/applications/org.marrowgate.Marrowgate.desktop
expect -rw-r--r-- share/metainfo/org.marrowgate.Marrowgate.metainfo.xml
expect -rw-r--r-- share/man/man6/marrowgate.6.gz
expect -rw-r--r-- share/man/man6/marrowgate-sim.6.gz
for size in 16 24 32 48 64 128 256; do
    expect -rw-r--r-- "share/icons/hicolor/${size}x$size/apps/marrowgate.png"
done
for file in data.ini options.txt config.muf strings.ini bitmaps/backgrounds/title.bmp \
    fonts/tahoma12.dds.dat sounds/music/theme.ogg; do
    expect -rw-r--r-- "share/marrowgate/data/$file"
done
# Nothing a run writes, and nothing outside /usr.
if grep -E ' \./usr/share/marrowgate/data/(debugdata|ach\.jad|icons)|\.tmp$' <<<"$listing" ||
    grep -vE ' \./usr/' <<<"$listing" | grep -vE ' \./$'; then
    echo "$(basename "$deb") holds files it should not (above)" >&2
    fail=1
fi
# Every file of data/ kept in the source tree is in the package.
missing="$(comm -23 <(cd "$root" && git ls-files data | sed 's|^|./usr/share/marrowgate/|' | sort) \
    <(awk '{print $2}' <<<"$listing" | sort))"
if [[ -n "$missing" ]]; then
    echo "$(basename "$deb") lacks files of data/:" >&2
    echo "$missing" >&2
    fail=1
fi

depends="$(dpkg-deb -f "$deb" Depends)"
for library in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libfreeimage3 libstdc++6 libc6; do
    if [[ ",$depends," != *", $library ("* && ",$depends," != *",$library ("* ]]; then
        echo "$(basename "$deb") does not depend on $library: $depends" >&2
        fail=1
    fi
done
((fail == 0)) || exit 1
echo "$(basename "$deb"): $(wc -l <<<"$listing") entries; depends on $depends"
