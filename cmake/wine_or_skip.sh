#!/bin/sh
# Runs a Windows program under Wine. Wine runs 32-bit programs as 32-bit x86
# code, which some Linux kernels are set not to run (IA-32 emulation off):
# there the program is not run, and the exit status 77 marks the test skipped.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "skipped: this machine cannot run 32-bit x86 programs, so Wine cannot run $1"
    exit 77
fi
exec wine "$@"
