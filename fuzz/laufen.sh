#!/bin/sh
# Runs each fuzz target for a bounded time on its seeds and its own
# growing corpus, and fails on any finding (crash, leak, timeout, out of
# memory, a broken promise of the reader).
#
#   sh fuzz/laufen.sh BUILD SECONDS TARGET...
#
# Seeds go to BUILD/seeds (made anew), the corpus grows in BUILD/corpus,
# findings land in BUILD/findings, each run's output in BUILD/fuzz_<t>.log.
set -u
build=$1
sekunden=$2
shift 2

"$build/glubbershoot-fuzz-seeds" "$build/seeds.neu" >/dev/null || exit 1
rm -rf "$build/seeds"
mv "$build/seeds.neu" "$build/seeds"

# The targets write their inputs as files: into memory, and into a folder
# that is gone afterwards even when a target crashed.
basis=/dev/shm
[ -d "$basis" ] && [ -w "$basis" ] || basis=${TMPDIR:-/tmp}
tmp=$(mktemp -d "$basis/glubber-fuzz.XXXXXX") || exit 1
trap 'rm -rf "$tmp"' EXIT
trap 'exit 130' INT TERM
export GLUBBER_FUZZ_TMP="$tmp"

status=0
for t in "$@"; do
    # Room for the pictures and sounds of the seeds, small for the rest.
    case $t in
        bild|sound) laenge=32768 ;;
        *) laenge=4096 ;;
    esac
    mkdir -p "$build/corpus/$t" "$build/findings"
    log=$build/fuzz_$t.log
    "$build/fuzz_$t" -max_total_time="$sekunden" -timeout=10 -rss_limit_mb=2048 -max_len=$laenge \
        -print_final_stats=1 -artifact_prefix="$build/findings/$t-" \
        "$build/corpus/$t" "$build/seeds/$t" >"$log" 2>&1
    rc=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    cov=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 | sed -n 's/.*\(cov: [0-9]* ft: [0-9]*\).*/\1/p')
    printf '%-9s %10s executions  %s\n' "$t" "${runs:-?}" "${cov:-no final line}"
    if [ $rc -ne 0 ]; then
        echo "fuzz_$t: finding (exit $rc), see $log and $build/findings/"
        grep -E 'ERROR|SUMMARY|broken promise|Test unit written' "$log" | head -n 10
        status=1
    fi
done
exit $status
