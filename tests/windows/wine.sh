#!/bin/sh
# Runs a Windows program of the build under wine in the build's own wine prefix: CTest's emulator for
# the Windows build, and how the Windows checks start every program.
# usage: wine.sh PREFIX PROGRAM [ARGUMENTS...]
#        wine.sh PREFIX --set-up     makes the prefix anew, as Windows 10
#        wine.sh PREFIX --stop       ends the prefix's wine server and every program in it
set -eu
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all
# No Mono or Gecko download prompt, and no Linux menu entries made from Start-menu shortcuts.
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
# Qt writes its messages and test results to the debugger unless told that stderr is read; wine hands
# QT_* to Windows programs only as WINEQT_*.
export WINEQT_FORCE_STDERR_LOGGING=1
export HOME="$prefix-home" # whatever wine keeps per user stays in the build folder
mkdir -p "$HOME"
case "$1" in
--set-up)
    rm -rf "$prefix"
    wineboot -i
    # Wine 8 plays Windows 7 unless told otherwise; the program needs Windows 10.
    wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f
    exec wineserver -w # the registry saved before anything else starts
    ;;
--stop) exec wineserver -k ;;
esac
exec wine "$@"
