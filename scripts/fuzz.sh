#!/usr/bin/env bash
# Fuzzes the readers of outside data: builds the libFuzzer targets of tests/fuzz with
# clang into build-fuzz/ (AddressSanitizer, UndefinedBehaviorSanitizer, coverage),
# makes their seed corpora with fuzz-seeds, runs every target (or those named) for a
# bounded number of inputs or time, and reports per target the inputs run, the result
# and the line coverage of the reader's files. Fails when a target finds a crash, a
# hang (over 1 s for one input, or --timeout), a leak or undefined behaviour, or
# when a target does not reach its reader's files at all.
#
#   scripts/fuzz.sh [--runs N] [--time SECONDS] [--jobs P] [--workers W] [--timeout S] [--no-build] [TARGET...]
#     --runs N        N inputs per target with a fixed random seed (CI: the default, 2000)
#     --time SECONDS  as many inputs as fit in SECONDS per target; with --runs, the
#                     target stops at whichever limit it reaches first
#     --jobs P        P targets at once (default 1)
#     --workers W     W processes per target sharing its corpus, each with its own
#                     seed and an equal share of --runs (default 1; for the slow
#                     targets of a long run)
#     --timeout S     an input running longer than S seconds is a hang (default 1; CI
#                     gives more, for a shared machine under load stretches wall time)
#     --no-build      use the targets as last built (several runs of this script side
#                     by side must not build in the same folder at once)
#
# Inputs that found something are kept as build-fuzz/fuzz/artifacts/<target>-*; the
# corpus grows in build-fuzz/fuzz/corpus/<target>/ from run to run, and each target's
# output is in build-fuzz/fuzz/<target>.log. Reproduce a finding with
#   build-fuzz/fuzz/fuzz_<target> build-fuzz/fuzz/artifacts/<file>
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

usage() {
  echo "usage: $0 [--runs N] [--time SECONDS] [--jobs P] [--workers W] [--timeout S] [--no-build] [TARGET...]" >&2
  exit 2
}
runs=""
seconds=""
parallel=1
workers=1
hang=1
build_targets=1
targets=()
while (($#)); do
  case "$1" in
    --runs) runs="${2:?}"; shift 2 ;;
    --time) seconds="${2:?}"; shift 2 ;;
    --jobs) parallel="${2:?}"; shift 2 ;;
    --workers) workers="${2:?}"; shift 2 ;;
    --timeout) hang="${2:?}"; shift 2 ;;
    --no-build) build_targets=0; shift ;;
    -*) usage ;;
    *) targets+=("$1"); shift ;;
  esac
done
if [[ -z "$runs" && -z "$seconds" ]]; then
  runs=2000
fi

build=build-fuzz
export LANG=C.UTF-8
if ((build_targets)); then
  scripts/install-deps.sh
  CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DONDRAVA_FUZZ=ON >/dev/null
  nice cmake --build "$build" -j "$(nproc)" --target ondrava_fuzzers
fi

work="$build/fuzz"
manifest="$work/targets.txt"
known=$(cut -f1 "$manifest")
for target in "${targets[@]}"; do
  grep -qx "$target" <<<"$known" || { echo "no fuzz target \"$target\"; there are: $(echo $known)" >&2; exit 2; }
done
mkdir -p "$work/corpus" "$work/artifacts" "$work/profiles"

# The readers' files and the seeds go into memory, into a folder of this run that
# goes with it (so that runs of other targets may go on beside it).
memory=/dev/shm
[[ -d "$memory" && -w "$memory" ]] || memory="${TMPDIR:-/tmp}"
export ONDRAVA_FUZZ_TMP
ONDRAVA_FUZZ_TMP="$(mktemp -d "$memory/ondrava-fuzz-run.XXXXXX")"
trap 'rm -rf "$ONDRAVA_FUZZ_TMP"' EXIT
seeds="$ONDRAVA_FUZZ_TMP/seeds"
LLVM_PROFILE_FILE=/dev/null "$work/fuzz-seeds" "$seeds"

# A leak is reported at the end of the input that made it; undefined behaviour stops
# the process (the build does not recover from it). Freed memory stays poisoned for
# the last 16 MB freed rather than 256 MB: more than nearly every input frees, so a
# use after free within an input is still caught, while the process no longer cycles
# a quarter of a gigabyte through fresh pages (page faults took half of the time of
# the quick targets).
export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1:quarantine_size_mb=16"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# Runs one target and writes its summary line to $work/<name>.result; the line
# starts with "FAIL" when the target found something or missed its reader.
fuzz_one() {
  local name=$1 binary=$2 objects=$3 covers=$4 maxlen=$5
  local corpus="$work/corpus/$name" log="$work/$name.log" result=ok status
  mkdir -p "$corpus"
  rm -f "$work/profiles/$name"-*.profraw "$work/profiles/$name.profdata"
  local limit=()
  [[ -n "$runs" ]] && limit+=(-runs="$(((runs + workers - 1) / workers))")
  [[ -n "$seconds" ]] && limit+=(-max_total_time="$seconds")
  # Worker k logs to <name>.log (k = 1) or <name>.<k>.log and fuzzes with seed k.
  local logs=() pids=() worker
  rm -f "$work/$name".*.log
  for ((worker = 1; worker <= workers; ++worker)); do
    local workerLog="$work/$name.log"
    ((worker > 1)) && workerLog="$work/$name.$worker.log"
    logs+=("$workerLog")
    local seed=()
    [[ -n "$runs" ]] && seed=(-seed="$worker")
    LLVM_PROFILE_FILE="$PWD/$work/profiles/$name-%p.profraw" \
      nice "$binary" "${limit[@]}" "${seed[@]}" -timeout="$hang" -rss_limit_mb=2048 -max_len="$maxlen" \
        -artifact_prefix="$work/artifacts/$name-" -print_final_stats=1 \
        "$corpus" "$seeds/$name" >"$workerLog" 2>&1 &
    pids+=($!)
  done
  status=0
  for worker in "${!pids[@]}"; do
    wait "${pids[$worker]}" || { ((status == 0)) && log=${logs[$worker]}; status=1; }
  done
  local executions slowest
  executions=$(cat "${logs[@]}" | awk '/^stat::number_of_executed_units:/ {n += $2; seen = 1} END {if (seen) print n}')
  slowest=$(cat "${logs[@]}" | awk '/^stat::slowest_unit_time_sec:/ && $2 >= s {s = $2} END {print s + 0}')
  if ((status != 0)); then
    result=$(grep -m 1 -oE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer): [a-z-]+|runtime error|property broken' \
      "$log" || true)
    result=${result:-"exit status $status"}
  fi

  # A process that died wrote no profile of its own; the coverage then says nothing.
  local coverage="none" details="" missed=""
  local profiles=("$work/profiles/$name"-*.profraw)
  if [[ $result == ok && -e "${profiles[0]}" ]]; then
    llvm-profdata-14 merge -sparse "${profiles[@]}" -o "$work/profiles/$name.profdata"
    local objectArgs=() libraries report
    IFS=, read -r -a libraries <<<"$objects"
    for library in "${libraries[@]}"; do objectArgs+=(-object "$library"); done
    # The lines and branches of each file, from the full export: "report" would name
    # the files below their common folder. The files are named as they were compiled:
    # from the build folder, relative when ccache rewrote the paths below its base
    # folder. Only the reader's files are kept: path, lines, lines run, branches,
    # branches taken.
    report=$(llvm-cov-14 export -format=lcov "$binary" "${objectArgs[@]}" \
      -instr-profile="$work/profiles/$name.profdata" 2>/dev/null |
      awk -v build="$PWD/$build" -v root="$PWD/" -v covers="$covers" '
        BEGIN { n = split(covers, list, ","); for (i = 1; i <= n; ++i) wanted[list[i]] = 1 }
        /^SF:/ {
          file = substr($0, 4)
          if (file !~ /^\//) file = build "/" file
          while (sub(/\/[^\/]+\/\.\.\//, "/", file)) {}
          lines = hit = branches = taken = 0
        }
        /^LF:/ { lines = substr($0, 4) }
        /^LH:/ { hit = substr($0, 4) }
        /^BRF:/ { branches = substr($0, 5) }
        /^BRH:/ { taken = substr($0, 5) }
        # A file in more than one of the objects counts where it ran most.
        /^end_of_record/ && (file in wanted) && (!(file in row) || hit > best[file]) {
          best[file] = hit; row[file] = lines " " hit " " branches " " taken
        }
        END {
          for (file in wanted) {
            name = file; sub(root, "", name); print name, (file in row) ? row[file] : "0 0 0 0"
          }
        }')
    details=$(awk '{printf "    %-44s lines %5d of %5d  %6.2f%%   branches %6.2f%%\n", $1, $3, $2,
                    $2 ? 100 * $3 / $2 : 0, $4 ? 100 * $5 / $4 : 0}' <<<"$report")
    missed=$(awk '$3 == 0 {print $1}' <<<"$report")
    coverage=$(awk '{lines += $2; hit += $3} END {if (lines > 0) printf "%.2f%%", 100 * hit / lines}' <<<"$report")
  fi
  if [[ -n "$missed" && $result == ok ]]; then
    result="does not reach $(echo $missed)"
  fi
  local line
  line=$(printf '%-4s %-13s %10s inputs  slowest %3s s  lines %-8s %s' "$([[ $result == ok ]] && echo ok || echo FAIL)" \
    "$name" "${executions:-?}" "$slowest" "$coverage" "$([[ $result == ok ]] || echo "$result")")
  printf '%s\n%s\n' "$line" "$details" >"$work/$name.result"
  [[ $result == ok ]] || tail -n 30 "$log" >>"$work/$name.result"
}

# The targets named, in the order named; else all.
((${#targets[@]})) || targets=($known)
names=()
for target in "${targets[@]}"; do
  IFS=$'\t' read -r name binary objects covers maxlen < <(grep -P "^$target\t" "$manifest")
  names+=("$name")
  while (($(jobs -rp | wc -l) >= parallel)); do
    wait -n || true
  done
  echo "fuzzing $name"
  fuzz_one "$name" "$binary" "$objects" "$covers" "$maxlen" &
done
wait

failed=0
echo
for name in "${names[@]}"; do
  cat "$work/$name.result"
  if grep -q '^FAIL' "$work/$name.result"; then failed=1; fi
done
exit "$failed"
