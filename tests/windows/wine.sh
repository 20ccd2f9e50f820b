#!/bin/sh
# Runs a Windows program under wine in a wine prefix of the checks' own, and makes such prefixes.
# usage: wine.sh PREFIX PROGRAM [ARGUMENTS...]
#        wine.sh PREFIX --set-up win32|win64 VERSION
#                                   makes the prefix anew: 32-bit (as Windows XP must be) or 64-bit
#                                   Windows, playing that version (wine's names: win2k, winxp, win7, win10...)
#        wine.sh PREFIX --version VERSION
#                                   has the prefix play another Windows version from now on
#        wine.sh PREFIX --stop      ends the prefix's wine server and every program in it
#        wine.sh PREFIX --wait      waits until the prefix's wine session has ended by itself, its
#                                   registry saved
set -eu
prefix=$1
shift
# Wine's own messages off, unless a check asks for some (WINEDEBUG=...).
export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko download prompt, and no Linux menu entries made from Start-menu shortcuts.
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
export HOME="$prefix-home" # whatever wine keeps per user stays beside the prefix
mkdir -p "$HOME"
# Debian's wine starts its 32-bit loader first. On a kernel that runs no 32-bit program (no IA-32
# emulation) that fails at once, while the 64-bit loader still runs 64-bit prefixes.
wine=wine
if ! wine --version >/dev/null 2>&1 && [ -x /usr/lib/wine/wine64 ]; then
    wine=/usr/lib/wine/wine64
    export WINELOADER=$wine
fi
case "$1" in
--set-up)
    rm -rf "$prefix"
    WINEARCH=$2 $wine wineboot -i
    $wine reg add 'HKCU\Software\Wine' /v Version /d "$3" /f
    exec wineserver -w # the registry saved before anything else starts
    ;;
--version)
    $wine reg add 'HKCU\Software\Wine' /v Version /d "$2" /f
    exec wineserver -w
    ;;
--stop) exec wineserver -k ;;
--wait) exec wineserver -w ;;
esac
exec $wine "$@"
