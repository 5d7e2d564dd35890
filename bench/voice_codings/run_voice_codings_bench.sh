#!/usr/bin/env bash
# Times talvo-voice coding and decoding 60 s of speech in each coding, side by side with the
# independent implementation of the modems' codings (mgetty-pvftools) on the same file:
#   encode  talvo-voice import speech.wav out --coding C     wavtopvf | pvftormd TYPE N
#   decode  talvo-voice export out back.wav --coding C       rmdtopvf | pvftowav
# Each figure is the best of several runs, in milliseconds of wall time, whole programs with
# their start-up. The speech is at the coding's rate already, so nothing is resampled. The
# targets: no coding slower than twice the oracle, and every one at least 100 times faster
# than real time (60 s of speech in under 600 ms).
#
# Run: bench/voice_codings/run_voice_codings_bench.sh [build dir]   (exit code 1 when a target
# is missed)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build/release}"
args=(-S "$root" -B "$build")
[ -f "$build/CMakeCache.txt" ] || args+=(-G Ninja -DCMAKE_BUILD_TYPE=Release)
cmake "${args[@]}" >/dev/null
cmake --build "$build" --target talvo-voice >/dev/null
voice=$build/bin/talvo-voice

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
espeak-ng -w said.wav "Hello. This is a message from the voice coding benchmark. Please call \
  me back at five five five, one two three four, after six in the evening. Thank you, goodbye."
for rate in 7200 8000; do
  sox -D said.wav -r "$rate" -b 16 "speech$rate.wav" repeat 20 trim 0 60
done

runs=7
# best_ms COMMAND...: the shortest wall time of $runs runs of the shell command line given.
best_ms() {
  local best=
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s%N)
    bash -c "$1" >/dev/null 2>&1
    end=$(date +%s%N)
    local ms=$(((end - start) / 1000000))
    [ -z "$best" ] || [ "$ms" -lt "$best" ] && best=$ms
  done
  echo "$best"
}

status=0
printf '%-10s %6s | %9s %9s %6s | %9s %9s %6s\n' coding rate "enc ms" "oracle" ratio \
  "dec ms" "oracle" ratio
# coding, rate, the oracle's modem type and coding ("" where it has none)
for row in "u8 8000 V253modem 8" "s8 8000 V253modem 9" "s16 8000 V253modem 12" \
  "ulaw 8000 V253modem 6" "alaw 8000 V253modem 7" "ima 8000 V253modem 5" \
  "rockwell2 7200 Rockwell 2" "rockwell3 7200 Rockwell 3" "rockwell4 7200 Rockwell 4" \
  "vox 8000"; do
  read -r coding rate type method <<<"$row"
  in=speech$rate.wav
  enc=$(best_ms "'$voice' import $in $coding.voice --coding $coding --rate $rate")
  dec=$(best_ms "'$voice' export $coding.voice $coding.wav --coding $coding --rate $rate")
  oracle_enc=- oracle_dec=- enc_ratio=- dec_ratio=-
  if [ -n "${type:-}" ]; then
    oracle_enc=$(best_ms "wavtopvf < $in | pvftormd $type $method > $coding.rmd")
    oracle_dec=$(best_ms "rmdtopvf < $coding.rmd | pvftowav > $coding.oracle.wav")
    enc_ratio=$(awk "BEGIN { printf \"%.2f\", $enc / $oracle_enc }")
    dec_ratio=$(awk "BEGIN { printf \"%.2f\", $dec / $oracle_dec }")
    awk "BEGIN { exit !($enc > 2 * $oracle_enc || $dec > 2 * $oracle_dec) }" && status=1
  fi
  [ "$enc" -ge 600 ] || [ "$dec" -ge 600 ] && status=1
  printf '%-10s %6s | %9s %9s %6s | %9s %9s %6s\n' "$coding" "$rate" "$enc" "$oracle_enc" \
    "$enc_ratio" "$dec" "$oracle_dec" "$dec_ratio"
done
exit "$status"
