#!/usr/bin/env bash
# Runs every scenario (or those named) and prints "N passed, N failed".
set -u
here=$(cd "$(dirname "$0")" && pwd)
passed=0 failed=0 failures=()
if [ $# -gt 0 ]; then scenarios=("$@"); else scenarios=("$here"/scenarios/*.sh); fi
for s in "${scenarios[@]}"; do
    name=$(basename "$s" .sh)
    start=$SECONDS
    if timeout 300 bash "$s"; then passed=$((passed + 1)); result=passed
    else failed=$((failed + 1)); failures+=("$name"); result=FAILED; fi
    echo "e2e: $name $result in $((SECONDS - start)) s"
done
[ ${#failures[@]} -gt 0 ] && echo "e2e failures: ${failures[*]}"
echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
