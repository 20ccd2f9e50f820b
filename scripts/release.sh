#!/usr/bin/env bash
# Makes every copy of tarnwick that is handed out, into build-release/dist: the Windows zip and installer
# (scripts/windows.sh), the 32-bit tarnwick.exe unpacked as the zip holds it, the Debian packages for amd64
# and arm64 (cross-built with scripts/aarch64-linux-gnu.cmake), their
# SHA256SUMS, and BUILT-WITH, the exact versions of the Debian packages that made them. Every time stamp is
# the commit's, so any clone of one commit built on the same Debian release gives the same bytes.
# With --verify it then builds the same commit once more in a fresh clone in another folder, under another
# umask, time zone and locale, and compares every file and the 64-bit tarnwick.exe byte for byte;
# diffoscope shows where two differ.
# Usage: scripts/release.sh [--verify]
set -euo pipefail
cd "$(dirname "$0")/.."

verify=false
case "${1:-}" in
--verify) verify=true ;;
"") ;;
*)
    echo "usage: $0 [--verify]" >&2
    exit 2
    ;;
esac

scripts/deps.sh release
scripts/deps.sh arm64
source scripts/source-date.sh
if [[ -d .git || -f .git ]] && [[ -n $(git status --porcelain --untracked-files=no) ]]; then
    echo "$0: a release is made from a commit, and this tree has changes that are not committed." >&2
    exit 1
fi

scripts/windows.sh
cmake -S . -B build-release/linux -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release/linux --parallel 2
cmake -S . -B build-release/arm64 -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/scripts/aarch64-linux-gnu.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release/arm64 --parallel 2
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-release/linux/CMakeCache.txt)
rm -rf build-release/deb build-release/dist
# CPack takes the members' times from SOURCE_DATE_EPOCH. The folders it installs into are made as the umask
# allows, even where CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS says otherwise: the .deb's are 755.
for arch in linux arm64; do
    (cd "build-release/$arch" && umask 022 && cpack -G DEB -B "$PWD/../deb" >/dev/null)
done

dist=build-release/dist
mkdir -p "$dist"
cp -r build-windows/dist/. build-release/deb/tarnwick_*.deb "$dist/"
(
    cd "$dist"
    sha256sum "tarnwick-$version-windows.zip" "tarnwick-$version-windows-installer.exe" tarnwick_*.deb \
        "tarnwick-$version/tarnwick.exe" >SHA256SUMS
    # A point release of any of these changes the bytes: rebuilding a release needs the same versions.
    {
        echo "tarnwick $version, commit $(git rev-parse HEAD 2>/dev/null || echo unknown)," \
            "SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH, built on Debian $(cat /etc/debian_version)" \
            "$(dpkg --print-architecture) with these Debian packages:"
        # Of this machine's architecture and arm64's (wine's i386 libraries build nothing).
        dpkg-query -W -f='${db:Status-Abbrev} ${Architecture} ${binary:Package} ${Version}\n' \
            cmake cmake-data ninja-build 'gcc-[0-9]*' 'g++-[0-9]*' 'cpp-[0-9]*' 'libgcc-*-dev' 'libstdc++-*-dev' \
            libc6-dev binutils 'binutils-x86-64-linux-gnu' qt6-base-dev qt6-base-dev-tools 'libqt6core6*' 'libqt6gui6*' \
            'libqt6widgets6*' '*-mingw-w64-*' 'mingw-w64-*' nsis nsis-common zip gzip dpkg-dev python3 \
            libc6 libstdc++6 libgcc-s1 '*-aarch64-linux-gnu' 'libc6*-arm64-cross' 'libgcc*-arm64-cross' \
            'libstdc++*-arm64-cross' linux-libc-dev-arm64-cross \
            2>/dev/null | awk -v arch="$(dpkg --print-architecture)" \
                '$1 == "ii" && ($2 == arch || $2 == "arm64" || $2 == "all") { print $3, $4 }' | LC_ALL=C sort
    } >BUILT-WITH
    cat SHA256SUMS
)

if $verify; then
    # The same commit in a fresh clone elsewhere, built later under another umask, time zone and locale,
    # with the commit's time found again from its own history.
    again=$(mktemp -d /tmp/tarnwick-release-again.XXXXXX)
    trap 'rm -rf "$again"' EXIT
    git clone -q --no-checkout . "$again/tarnwick"
    git -C "$again/tarnwick" checkout -q --detach "$(git rev-parse HEAD)"
    if [[ $(umask) == 0077 ]]; then mask=0022; else mask=0077; fi
    started=$SECONDS
    (cd "$again/tarnwick" && umask "$mask" &&
        env -u SOURCE_DATE_EPOCH TZ=NPT-5:45 LC_ALL=C scripts/release.sh >"$again/build.log" 2>&1) ||
        { cat "$again/build.log"; exit 1; }
    echo "Built again in $again/tarnwick (umask $mask, TZ=NPT-5:45, LC_ALL=C) in $((SECONDS - started)) s."
    other=$again/tarnwick
    different=()
    while read -r file; do
        cmp -s "$file" "$other/$file" || different+=("$file")
    done < <({ find build-release/dist "$other/build-release/dist" -type f -printf "build-release/dist/%P\n"
        echo build-windows/x86_64/tarnwick.exe; } | LC_ALL=C sort -u)
    if [[ ${#different[@]} -gt 0 ]]; then
        for file in "${different[@]}"; do
            echo "Not the same bytes: $file" >&2
            diffoscope --text - "$file" "$other/$file" >&2 || true
        done
        exit 1
    fi
    echo "Both builds gave the same bytes:"
    (cd build-release/dist && sha256sum $(find . -type f -printf "%P\n" | LC_ALL=C sort))
    sha256sum build-windows/x86_64/tarnwick.exe
fi
