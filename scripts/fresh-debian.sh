#!/usr/bin/env bash
# Tries the README's two commands as a newcomer meets them, on a fresh Debian of the release named (12,
# 13, or testing, today forky): a minbase system made with debootstrap (with git; the release's main,
# updates and security suites, from the mirrors this machine's apt already uses; testing has main and
# security) and, in it as root, a clone of this repository's HEAD with nothing beside it. There:
#   scripts/run.sh   the window comes up (offscreen) and still runs a few seconds later; run once more,
#                    with nothing left to install or build, its stderr is empty;
#   scripts/test.sh  passes.
# With --arm64 DEB it makes an arm64 system in its place (debootstrap --arch=arm64, its programs run by
# qemu-user-static through binfmt_misc) and tries the arm64 package there: `apt install ./DEB` installs
# it with what it depends on, and the installed program's window comes up (offscreen) and still runs
# 5 s later, with nothing on stderr. Where this kernel cannot run arm64 programs it says so and fails.
# The system runs in mount, process and IPC namespaces of its own, so whatever it mounts or starts (Xvfb,
# D-Bus, AT-SPI, wine) ends with it, even when a run fails or this script is killed; package scripts
# start no services in it, and its tree is removed afterwards. Needs root. What is not committed is not
# in the clone.
# Usage: scripts/fresh-debian.sh 12|13|testing [--keep] [--bench [RUNS] | --arm64 DEB]
#   --keep leaves the system's tree and prints where; --bench runs scripts/bench.sh there (RUNS start-up
#   runs of each program) in place of scripts/test.sh, for that release's figures; --arm64 DEB tries
#   that package (tarnwick_*_arm64.deb, made by scripts/release.sh) on an arm64 system.
set -euo pipefail
testing=forky # Debian's testing release today

if [[ ${1:-} == --inside ]]; then
    # In the namespaces: $2 release codename, $3 work folder, $4 the repository, $5 start-up runs to
    # bench in place of the tests (empty: the tests), $6 an arm64 package to try in place of both.
    codename=$2 work=$3 repo=$4 bench_runs=${5:-} deb=${6:-}
    root=$work/root
    step() { printf '\n=== %s: %s (%s)\n' "$codename" "$1" "$(date -u +%T)"; }

    mirror= security=
    while read -r uri suite; do
        case $suite in
        *-security) security=${security:-$uri} ;;
        *-*) ;;
        *) mirror=${mirror:-$uri} ;;
        esac
    done < <(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Identifier: Packages' | sort -u)
    mirror=${mirror:-http://deb.debian.org/debian/} security=${security:-http://deb.debian.org/debian-security/}

    # A debootstrap older than the release has no script of its name: testing is made as sid is.
    script=/usr/share/debootstrap/scripts/$codename
    [[ -e $script ]] || script=/usr/share/debootstrap/scripts/sid
    # An arm64 system is made in two stages: the second runs its arm64 programs in it, through
    # qemu-user-static.
    how=(--include=git,ca-certificates)
    [[ -z $deb ]] || how=(--arch=arm64 --foreign)
    step "debootstrap ${how[*]} from $mirror"
    { debootstrap "${how[@]}" --variant=minbase --components=main "$codename" "$root" "$mirror" "$script" &&
        { [[ -z $deb ]] || chroot "$root" /debootstrap/debootstrap --second-stage; }; } >"$work/debootstrap.log" 2>&1 || {
        tail -n 30 "$work/debootstrap.log"
        exit 1
    }
    if [[ $codename == "$testing" ]]; then
        # A mirror's copy of testing may be older than the week its Release file says it is valid for:
        # apt is told to take it all the same (debootstrap checks the signature, not the date). Testing's
        # updates suite is left out, as testing takes its fixes in itself; its security suite is used where
        # the mirror has one.
        echo "testing: the mirror's lists are taken even where their Release file is past its Valid-Until date"
        {
            echo "deb [check-valid-until=no] $mirror $codename main"
            if /usr/lib/apt/apt-helper download-file "${security%/}/dists/$codename-security/InRelease" \
                "$work/security-InRelease" >/dev/null 2>&1; then
                echo "deb [check-valid-until=no] $security $codename-security main"
            else
                echo "testing: $security has no $codename-security; the system goes without it" >&2
            fi
        } >"$root/etc/apt/sources.list"
    else
        cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror $codename main
deb $mirror $codename-updates main
deb $security $codename-security main
EOF
    fi
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d" # no package starts a service here
    chmod 755 "$root/usr/sbin/policy-rc.d"
    cp -L /etc/resolv.conf "$root/etc/resolv.conf"

    # Its own /proc, a read-only /sys, and a /dev of its own with only the usual nodes: nothing of the
    # host's devices is writable from inside.
    mount -t proc -o nosuid,nodev,noexec proc "$root/proc"
    mount -t sysfs -o ro,nosuid,nodev,noexec sysfs "$root/sys"
    mount -t tmpfs -o nosuid,mode=755,size=64k dev "$root/dev"
    for node in null:1:3 zero:1:5 full:1:7 random:1:8 urandom:1:9 tty:5:0; do
        IFS=: read -r name major minor <<<"$node"
        mknod -m 666 "$root/dev/$name" c "$major" "$minor"
    done
    mkdir "$root/dev/pts" "$root/dev/shm"
    mount -t devpts -o newinstance,ptmxmode=0666,mode=620,nosuid,noexec devpts "$root/dev/pts"
    ln -s pts/ptmx "$root/dev/ptmx"
    mount -t tmpfs -o nosuid,nodev,mode=1777 shm "$root/dev/shm"
    ln -s /proc/self/fd "$root/dev/fd"
    for n in 0:stdin 1:stdout 2:stderr; do ln -s "/proc/self/fd/${n%%:*}" "$root/dev/${n#*:}"; done

    [[ -n $deb ]] || git clone -q --no-hardlinks "$repo" "$root/root/tarnwick"
    # A command as root of that system, with a newcomer's bare environment. An array, not a function:
    # started with &, it is itself the process that becomes the program.
    inside=(chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)
    step "apt-get update"
    "${inside[@]}" apt-get update -qq --error-on=any
    mkdir -p -m 700 "$root/run/user/0"

    if [[ -n $deb ]]; then
        name=$(basename "$deb")
        cp "$deb" "$root/root/$name"
        step "apt install ./$name"
        if ! "${inside[@]}" DEBIAN_FRONTEND=noninteractive bash -c "cd /root && apt install -y ./$name" \
            >"$work/install.log" 2>&1; then
            tail -n 30 "$work/install.log"
            echo "apt install ./$name failed on Debian $codename arm64" >&2
            exit 1
        fi
        "${inside[@]}" dpkg-query -W -f='${binary:Package} ${Version}\n' tarnwick libqt6widgets6 libc6
        step "tarnwick"
        "${inside[@]}" XDG_RUNTIME_DIR=/run/user/0 QT_QPA_PLATFORM=offscreen tarnwick >"$work/window.out" \
            2>"$work/window.err" &
        window=$!
        # Up once Qt's offscreen platform is loaded and a font opened for the window's texts: the program's
        # files show in the maps of the emulator that runs it.
        drawn() { grep -q '/platforms/libqoffscreen\.so' "/proc/$window/maps" 2>/dev/null &&
            grep -q '/usr/share/fonts/' "/proc/$window/maps" 2>/dev/null; }
        for ((i = 0; i < 120; i++)); do
            drawn && break
            kill -0 "$window" 2>/dev/null || break
            sleep 1
        done
        up=false
        if drawn; then
            sleep 5 # the window must outlive its start
            [[ $(cat "/proc/$window/comm" 2>/dev/null) == tarnwick ]] && up=true
        fi
        if ! $up; then
            wait "$window" || true
            echo "tarnwick: the window did not come up, or did not stay:" >&2
            tail -n 20 "$work/window.out" "$work/window.err" >&2
            exit 1
        fi
        kill "$window"
        wait "$window" || true
        if [[ -s $work/window.err ]]; then
            echo "tarnwick said something on stderr:" >&2
            cat "$work/window.err" >&2
            exit 1
        fi
        echo "on Debian $codename arm64 the package installed, and its window came up and was still running" \
            "5 s later, with nothing on stderr"
        exit 0
    fi

    # The window's run: run.sh, offscreen, with what a desktop session gives every program it starts
    # (its runtime folder). It must become the program, and the program must still run 5 s later.
    # $1: a name for its output files. Waits as long as a slow mirror may need for the set-up.
    window_runs() {
        "${inside[@]}" XDG_RUNTIME_DIR=/run/user/0 QT_QPA_PLATFORM=offscreen \
            bash -c 'cd /root/tarnwick && exec scripts/run.sh' >"$work/$1.out" 2>"$work/$1.err" &
        local run=$! i up=false
        for ((i = 0; i < 3600; i++)); do
            [[ $(cat "/proc/$run/comm" 2>/dev/null) == tarnwick ]] && break
            kill -0 "$run" 2>/dev/null || break
            sleep 1
        done
        if [[ $(cat "/proc/$run/comm" 2>/dev/null) == tarnwick ]]; then
            sleep 5 # the window must outlive its start
            [[ $(cat "/proc/$run/comm" 2>/dev/null) == tarnwick ]] && up=true
        fi
        kill "$run" 2>/dev/null || true
        wait "$run" || true
        $up || {
            echo "scripts/run.sh: the window did not come up, or did not stay:" >&2
            tail -n 20 "$work/$1.out" "$work/$1.err" >&2
            return 1
        }
    }
    step "scripts/run.sh"
    window_runs first # installs what is missing and builds: apt may say things on stderr
    # Run again, as on any later day: nothing to install or build, so all its stderr is the window's.
    window_runs again
    if [[ -s $work/again.err ]]; then
        echo "scripts/run.sh: the window said something on stderr:" >&2
        cat "$work/again.err" >&2
        exit 1
    fi
    echo "the window came up and was still running 5 s later, with nothing on stderr"

    if [[ -n $bench_runs ]]; then
        step "scripts/bench.sh $bench_runs"
        if ! "${inside[@]}" bash -c "cd /root/tarnwick && exec scripts/bench.sh $bench_runs" >"$work/bench.log" 2>&1; then
            tail -n 60 "$work/bench.log"
            echo "scripts/bench.sh failed on Debian $codename" >&2
            exit 1
        fi
        # The figures, without the build's and apt's lines.
        grep -E '^(start-up, |program |Note: |soak: )| [0-9.]+ +[0-9.]+ | / .*x$' "$work/bench.log" || true
        "${inside[@]}" dpkg-query -W -f='${Package} ${Version}\n' qt6-base-dev g++ wine 2>/dev/null || true
        exit 0
    fi

    step "scripts/test.sh"
    start=$SECONDS
    if ! "${inside[@]}" bash -c 'cd /root/tarnwick && exec scripts/test.sh' >"$work/test.log" 2>&1; then
        tail -n 150 "$work/test.log"
        echo "scripts/test.sh failed on Debian $codename" >&2
        exit 1
    fi
    grep -E 'tests passed|passed, .* failed|^OK|^Ran |not run, and why|^  test_\w+\.py, ' "$work/test.log" || true
    "${inside[@]}" dpkg-query -W -f='${Package} ${Version}\n' qt6-base-dev clang appstream wine g++ cmake nsis \
        xwayland 2>/dev/null || true
    echo "scripts/test.sh passed on Debian $codename in $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s"
    exit 0
fi

cd "$(dirname "$0")/.."
case "${1:-}" in
12) codename=bookworm ;;
13) codename=trixie ;;
testing) codename=$testing ;;
*)
    echo "usage: $0 12|13|testing [--keep] [--bench [RUNS] | --arm64 DEB]" >&2
    exit 2
    ;;
esac
keep=false bench_runs= deb=
shift
while (($#)); do
    case $1 in
    --keep) keep=true ;;
    --bench)
        bench_runs=15
        [[ ${2:-} =~ ^[0-9]+$ ]] && bench_runs=$2 && shift
        ;;
    --arm64)
        [[ -f ${2:-} ]] || {
            echo "$0: --arm64 takes the arm64 package to try (scripts/release.sh makes it)" >&2
            exit 2
        }
        deb=$(realpath "$2") && shift
        ;;
    *)
        echo "usage: $0 12|13|testing [--keep] [--bench [RUNS] | --arm64 DEB]" >&2
        exit 2
        ;;
    esac
    shift
done
if [[ $(id -u) -ne 0 ]]; then
    echo "$0 makes a Debian system with debootstrap and namespaces: run it as root" >&2
    exit 1
fi
scripts/deps.sh fresh
cleanup=()
if [[ -n $deb ]]; then
    scripts/deps.sh fresh-arm64
    # The kernel hands each arm64 program to qemu-aarch64-static through binfmt_misc, with the emulator
    # opened when it is registered (flag F), so that it also runs in the system's tree.
    binfmt=/proc/sys/fs/binfmt_misc
    if [[ ! -e $binfmt/register ]]; then
        if ! mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null; then
            echo "$0: this kernel cannot run arm64 programs: binfmt_misc is missing, or cannot be mounted at" \
                "$binfmt" >&2
            exit 1
        fi
        cleanup+=("umount $binfmt")
    fi
    if [[ ! -e $binfmt/qemu-aarch64 ]]; then
        # As systemd-binfmt does at boot, from qemu-user-static's entry, for this run only.
        if ! grep -hv '^#' /usr/lib/binfmt.d/qemu-aarch64.conf >"$binfmt/register" 2>/dev/null; then
            echo "$0: this kernel cannot run arm64 programs: qemu-aarch64 could not be registered with" \
                "binfmt_misc" >&2
            exit 1
        fi
        cleanup=("echo -1 >$binfmt/qemu-aarch64" "${cleanup[@]}")
    fi
    if [[ $(head -n 1 "$binfmt/qemu-aarch64") != enabled ]] || ! grep -q '^flags: .*F' "$binfmt/qemu-aarch64"; then
        echo "$0: this kernel cannot run arm64 programs in another tree: binfmt_misc's qemu-aarch64 is disabled," \
            "or lacks the flag F (fix binary)" >&2
        exit 1
    fi
fi
work=$(mktemp -d "${TMPDIR:-/var/tmp}/tarnwick-$codename.XXXXXX")
# Only after the namespaces have ended, and so every mount in them; never across into another file system.
$keep || cleanup=("rm -rf --one-file-system $work" "${cleanup[@]}")
trap 'for c in "${cleanup[@]}"; do eval "$c" || true; done' EXIT
status=0
unshare --mount --pid --ipc --fork --kill-child --mount-proc --propagation private \
    "$PWD/scripts/fresh-debian.sh" --inside "$codename" "$work" "$PWD" "$bench_runs" "$deb" || status=$?
$keep && echo "the system's tree: $work/root"
exit "$status"
