#!/usr/bin/env bash
# ctest's emulator for the Windows build: runs one test program under Wine in
# the prefix suite.sh made, with the exit status of the program.
exec wine "$@"
