# Runs ctest with its output kept in a log file and shows only what a reader
# needs: a count of passed and failed tests per test suite, the full output
# of every test that failed, and ctest's closing lines ("100% tests passed, 0
# tests failed out of N"). ctest pads every status line to the longest test
# name, which for parametrised tests is hundreds of characters; none of those
# lines are shown when the test passed.
#
#   ctest_summary LOG ctest-arguments...
# Returns ctest's exit status.
ctest_summary() {
  local log=$1
  shift
  mkdir -p "$(dirname "$log")"
  local rc=0
  ctest --output-on-failure "$@" >"$log" 2>&1 || rc=$?
  # The part of a test's name before the first '.' names its suite; status lines look like "12/345 Test  #12: Suite.Name ....   Passed  0.01 sec".
  awk '
    /^ *[0-9]+\/[0-9]+ +Test +#[0-9]+: / {
      name = $0
      sub(/^ *[0-9]+\/[0-9]+ +Test +#[0-9]+: /, "", name)
      sub(/ .*/, "", name)
      suite = name
      sub(/\..*/, "", suite)
      if (!(suite in seen)) { seen[suite] = 1; order[++n] = suite }
      if ($0 ~ / Passed +[0-9.]+ sec$/) passed[suite]++
      else if ($0 ~ /Skipped/) skipped[suite]++
      else failed[suite]++
    }
    END {
      for (i = 1; i <= n; i++) {
        s = order[i]
        printf "  %-40s %5d passed", s, passed[s] + 0
        if (skipped[s]) printf ", %d skipped", skipped[s]
        if (failed[s]) printf ", %d FAILED", failed[s]
        printf "\n"
      }
    }' "$log" | sort
  # Everything else but the passed tests and the start lines: the output of
  # failures and the summary. Dot padding is shortened.
  grep -Ev '^ *[0-9]+/[0-9]+ +Test +#[0-9]+: .* Passed +[0-9.]+ sec$|^ +Start +[0-9]+: |^Test project |^$' "$log" |
    sed -E 's/ \.{4,} */ ... /; s/( +# GetParam\(\) = .{40})[^*(]*/\1 ... /' || true
  echo "  (whole ctest log: $log)"
  return $rc
}
