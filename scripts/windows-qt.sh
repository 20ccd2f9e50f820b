#!/usr/bin/env bash
# Makes the Qt that the Windows program is cross-built against, from Debian's own qt6-base source
# package: Qt 6.4.2, static, for x86_64-w64-mingw32 (MinGW-w64, posix threads), with only what a Qt
# Widgets program needs, and Qt's licence texts in PREFIX/licenses. It is the same Qt as the prebuilt
# qt-6.4.2-mingw64-static-b2 archive, for whoever has the repository but not that archive.
# Usage: sudo scripts/windows-qt.sh PREFIX
#   for example PREFIX=~/.cache/tarnwick/windows-qt-KEY/qt-6.4.2-mingw64-static
# Root, because it installs packages and fetches the source through apt. It takes 17 minutes on 2 idle
# cores (30 when they are shared), about 2 GB of temporary space in TMPDIR (or /tmp) and 103 MB in
# PREFIX.
set -euo pipefail

fail() {
    echo "windows-qt.sh: $*" >&2
    exit 1
}

if [[ $# -ne 1 || -z "$1" ]]; then
    echo "usage: $0 PREFIX" >&2
    exit 2
fi
if [[ $(id -u) -ne 0 ]]; then
    echo "This installs packages and fetches Qt's source through apt, so it runs as root:" >&2
    printf '  sudo %q %q\n' "$0" "$1" >&2
    exit 1
fi

here=$(cd "$(dirname "$0")" && pwd)
prefix=$(realpath -m -- "$1")
[[ ! -e "$prefix" ]] || fail "$prefix already exists; remove it to make it again"

"$here/deps.sh" windows-qt

qt_src=qtbase-everywhere-src-6.4.2
orig=qt6-base_6.4.2+dfsg.orig.tar.xz
orig_sha256=4f14b89a9463a540fd84a6718b8519a2297119b454ef547721015a9e9019ae9e
# Our own deb-src entries, there only while this script fetches the source.
our_sources=/etc/apt/sources.list.d/tarnwick-windows-qt-src

work=
stage=
added=()
# Takes our deb-src entries away again, and the source lists that they brought, so that apt is as it was.
remove_added_sources() {
    [[ ${#added[@]} -gt 0 ]] || return 0
    rm -f "${added[@]}"
    added=()
    apt-get update -qq || echo "windows-qt.sh: apt-get update failed; run it to drop the source lists" \
        >&2
}
cleanup() {
    remove_added_sources
    if [[ -n "$work" ]]; then rm -rf "$work"; fi
    if [[ -n "$stage" ]]; then rm -rf "$stage"; fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
start=$SECONDS

work=$(mktemp -d "${TMPDIR:-/tmp}/tarnwick-windows-qt.XXXXXX")
mkdir "$work/download"
# apt downloads as its own user _apt; without a folder that user may write to, it warns and downloads
# as root.
if id _apt >/dev/null 2>&1; then
    chmod 711 "$work"
    chown _apt "$work/download"
fi

# One run at a time touches apt's sources, so that no run takes another's entries for leftovers.
exec 9>/run/lock/tarnwick-windows-qt.lock
flock 9
# Entries of ours that are there now come from a run that was killed outright, which no trap survives.
rm -f "$our_sources.sources" "$our_sources.list"

# The source package comes from the machine's own Debian archive: where apt has no deb-src entry, it
# gets one for the same archive, suites and components as the deb entries, until the download is done.
if ! grep -qsE '^[[:space:]]*deb-src[[:space:]]' /etc/apt/sources.list /etc/apt/sources.list.d/*.list &&
    ! grep -qsiE '^Types:.*[[:space:]]deb-src([[:space:]]|$)' /etc/apt/sources.list.d/*.sources; then
    if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
        added+=("$our_sources.sources")
        sed -E 's/^Types:.*/Types: deb-src/I' /etc/apt/sources.list.d/debian.sources \
            >"$our_sources.sources"
    fi
    if [[ -f /etc/apt/sources.list ]]; then
        added+=("$our_sources.list")
        sed -nE 's/^[[:space:]]*deb([[:space:]])/deb-src\1/p' /etc/apt/sources.list \
            >"$our_sources.list"
    fi
    [[ ${#added[@]} -gt 0 ]] ||
        fail "no Debian archive in /etc/apt/sources.list.d/debian.sources or /etc/apt/sources.list"
    echo "Added deb-src entries for Debian's archive while the source downloads: ${added[*]}"
fi
echo "Updating apt's lists"
apt-get update -qq
# Any Debian revision of 6.4.2+dfsg will do: only its upstream tarball is used, checked below.
sources=$(apt-cache showsrc qt6-base 2>/dev/null || true)
version=$(sed -n 's/^Version: \(6\.4\.2+dfsg-.*\)$/\1/p' <<<"$sources" | sed -n 1p)
[[ -n "$version" ]] || fail "apt knows no qt6-base 6.4.2+dfsg source package; this needs Debian 12" \
    "(bookworm) and its main component"
echo "Downloading the source package qt6-base $version"
(cd "$work/download" && apt-get source --download-only -qq "qt6-base=$version")
# apt is as it was for the long build; the trap does this when the script ends before here.
remove_added_sources
exec 9>&-

tarball=$work/download/$orig
[[ -f "$tarball" ]] || fail "qt6-base $version brought no $orig"
actual=$(sha256sum "$tarball" | cut -d' ' -f1)
[[ "$actual" == "$orig_sha256" ]] || fail "$orig has sha256 $actual, not $orig_sha256; stopping"

echo "Unpacking $orig"
tar -C "$work" -xJf "$tarball"
[[ -d "$work/$qt_src" ]] || fail "$orig holds no $qt_src folder"
# Qt 6.4.2's windows platform plugin asks only whether "dynamicgl" is on, and that feature stays on with
# OpenGL off: the plugin would then use Qt's OpenGL classes, which are not built, and fail to compile.
plugin=$work/$qt_src/src/plugins/platforms/windows/qwindowswindow.cpp
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' "$plugin"
if ! grep -qx '#if QT_CONFIG(dynamicgl) && QT_CONFIG(opengl)' "$plugin" ||
    grep -qx '#if QT_CONFIG(dynamicgl)' "$plugin"; then
    fail "could not add the OpenGL guard to ${plugin#"$work/"}"
fi

# Debian's own Qt of the same version provides the host tools (moc, rcc, uic) that the build runs.
host_qt=(/usr/lib/*/cmake/Qt6/Qt6Config.cmake)
[[ -f "${host_qt[0]}" ]] || fail "no Qt6Config.cmake of Debian's qt6-base-dev under /usr/lib/*/cmake/Qt6"
host_cmake_dir=${host_qt[0]%/Qt6/Qt6Config.cmake}

# Only what a Widgets program needs. Left out as well: the freedesktop MIME database (GPL-licensed data
# that Qt would build into every program), FreeType (Windows draws text with DirectWrite), and tablet
# events (Debian's source lacks the wintab header). Third-party code is Qt's bundled copy, not the
# host's libraries. The prefix compiled in is PREFIX itself, though the install is staged elsewhere.
echo "Configuring Qt"
cmake -S "$work/$qt_src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw64-toolchain.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_testlib=ON -DFEATURE_accessibility=ON \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF \
    -DFEATURE_mimetype_database=OFF -DFEATURE_freetype=OFF -DFEATURE_tabletevent=OFF
echo "Building Qt"
cmake --build "$work/build" --parallel "$(nproc)"

# Run through sudo, PREFIX and the folders made for it belong to the user who asked for them (they are
# in that user's cache, say), not to root.
owner=
if [[ -n "${SUDO_UID:-}" && "$SUDO_UID" != 0 ]]; then owner=$SUDO_UID:${SUDO_GID:-$SUDO_UID}; fi
parent=$(dirname "$prefix")
first_made=
folder=$parent
while [[ ! -e "$folder" ]]; do
    first_made=$folder
    folder=$(dirname "$folder")
done
mkdir -p "$parent"
if [[ -n "$owner" && -n "$first_made" ]]; then chown -R "$owner" "$first_made"; fi

# Installed into a folder beside PREFIX and renamed into place when whole, so that PREFIX is there
# only once it is complete.
stage=$(mktemp -d "$prefix.partial.XXXXXX")
DESTDIR=$stage cmake --install "$work/build" >/dev/null
staged=$stage$prefix
[[ -f "$staged/lib/libQt6Core.a" ]] || fail "the install made no lib/libQt6Core.a"

# The notices of a program linked against this Qt come from here: Qt's own licence texts, and each
# attribution record of Qt's sources with every licence file that it names, in the record's folder.
mkdir -p "$staged/licenses/attribution"
cp "$work/$qt_src"/LICENSES/* "$staged/licenses/"
python3 - "$work/$qt_src/src" "$staged/licenses/attribution" <<'PYTHON'
import json
import shutil
import sys
from pathlib import Path

sources, into = Path(sys.argv[1]), Path(sys.argv[2])
for record in sorted(sources.rglob("qt_attribution.json")):
    folder = into / record.parent.relative_to(sources)
    folder.mkdir(parents=True, exist_ok=True)
    shutil.copy(record, folder)
    # A record holds one entry or a list of them; many have line breaks inside their strings.
    entries = json.loads(record.read_text(encoding="utf-8"), strict=False)
    for entry in entries if isinstance(entries, list) else [entries]:
        names = entry.get("LicenseFiles") or [entry.get("LicenseFile")]
        for name in filter(None, names):
            licence = (record.parent / name).resolve()
            if licence.is_file():
                shutil.copy(licence, folder / licence.name)
PYTHON

if [[ -n "$owner" ]]; then chown -R "$owner" "$staged"; fi
mv -T "$staged" "$prefix"
rm -rf "$stage"
stage=
echo "Qt for Windows is in $prefix ($(((SECONDS - start) / 60)) minutes)"
