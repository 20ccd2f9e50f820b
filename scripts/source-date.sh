# Sourced by the scripts that make the shipped files: every time stamp in them is the commit's, so that
# one commit gives the same bytes wherever and whenever it is built. SOURCE_DATE_EPOCH, when given, wins.
if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
    if [[ $(git rev-parse --show-toplevel 2>/dev/null) != "$(pwd -P)" ]] ||
        ! SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null); then
        echo "$0: every time stamp in the shipped files is the commit's, and $PWD has no git history." >&2
        echo "Build from a git clone, or give the commit's time (git log -1 --format=%ct in a clone):" >&2
        echo "  SOURCE_DATE_EPOCH=... $0${*:+ $*}" >&2
        exit 1
    fi
fi
export SOURCE_DATE_EPOCH
