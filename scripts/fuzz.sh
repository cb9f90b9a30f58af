#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer on)
# and runs each for SECONDS (default 600) on a working copy of the checked-in corpus.
# Findings are written to build-fuzz/findings/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DTOVEL_SANITIZE=ON \
      -DTOVEL_BUILD_FUZZ=ON -DTOVEL_BUILD_UI=OFF >/dev/null
targets=(base card_list_text card_list_xml card_text editions deck deck_list cube inventory insert_sideboard ini draft_config
         draft_record sealed_config query)
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}"

status=0
for target in "${targets[@]}"; do
    work="build-fuzz/corpus/$target"
    findings="build-fuzz/findings/$target"
    mkdir -p "$work" "$findings"
    cp -n tests/fuzz/corpus/"$target"/* "$work"/ 2>/dev/null || true
    echo "== fuzz_$target for ${seconds}s"
    if ! build-fuzz/bin/fuzz_"$target" "$work" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -max_len=65536 -artifact_prefix="$findings/" -print_final_stats=1 2>&1 | tail -n 12; then
        status=1
    fi
done
exit $status
