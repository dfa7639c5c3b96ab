#!/usr/bin/env bash
# CPU time of an idle Zoram under Wine over a given number of seconds
# (default 60): what the program costs while nothing happens.
set -u
seconds=${1:-60}
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_begin idle_cpu
e2e_ini showInfo=0
e2e_zoram
ticks() { awk '{print $14 + $15}' "/proc/$ZORAM_PID/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
sleep "$seconds"
after=$(ticks)
ms=$(( (after - before) * 1000 / hz ))
echo "idle CPU time over ${seconds} s: ${ms} ms ($(awk -v m=$ms -v s=$seconds 'BEGIN{printf "%.3f", m/(s*10)}')% of one core)"
e2e_zoram_stop
