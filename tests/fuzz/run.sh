#!/usr/bin/env bash
# Builds the fuzz targets and runs each for SECONDS (default 60), or only the targets named.
#   tests/fuzz/run.sh 600 ini_fuzz
# The corpus of each target grows in build/fuzz/corpus/<target>, seeded from the program's
# own data files; a crash leaves its input as build/fuzz/<target>-crash-*; the log of the last
# run of each target is build/fuzz/<target>.log. Installs clang and libFuzzer when missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(ini_fuzz colour_fuzz time_picture_fuzz bitmap_fuzz rtf_fuzz event_list_fuzz side_path_fuzz ical_fuzz)

if ! command -v clang++ >/dev/null || ! compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null; then
  sudo=; [ "$(id -u)" = 0 ] || sudo=sudo
  $sudo apt-get update
  $sudo apt-get install -y clang libclang-rt-14-dev
fi

out=build/fuzz
cmake -S tests/fuzz -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$out" -j2 --target "${targets[@]}"

# Seeds: the settings, skin, list and note files shipped with the program, and bitmaps drawn
# by the build when there is one.
# Each seed is named after its path, so files of one name from different folders (the skins'
# skin.ini) all stay.
seed() {
  local target=$1; shift
  mkdir -p "$out/corpus/$target"
  for file in "$@"; do
    [ -f "$file" ] && cp -n "$file" "$out/corpus/$target/seed-${file//\//_}" 2>/dev/null || true
  done
}
seed ini_fuzz data/Skins/*/skin.ini
seed event_list_fuzz data/Gear/Events.txt data/Cfg/*.txt
seed rtf_fuzz data/notes/* data/days/*
seed ical_fuzz tests/fuzz/seeds/*.ics tests/fuzz/seeds/*.vcf
seed bitmap_fuzz build/host/art/images/*.bmp build/host/art/*.bmp
for target in colour_fuzz time_picture_fuzz side_path_fuzz; do seed "$target"; done

status=0
for target in "${targets[@]}"; do
  echo "== $target for $seconds s"
  if ! "$out/$target" "$out/corpus/$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$out/$target-" >"$out/$target.log" 2>&1; then
    status=1
    echo "   FAILED, see $out/$target.log"
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$out/$target.log" | sed 's/^/   /' || true
done
exit $status
