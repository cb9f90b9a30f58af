#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer on)
# and runs each for SECONDS (default 600) on a working copy of the checked-in corpus, together
# with the files of a generated world of 100,000 printings: each of those is first read whole,
# then joins the corpus as a seed. TOVEL_FUZZ_JOBS targets run at once (default 1).
# A unit may take 25 s before it counts as a hang, so that a busy machine finds none by itself.
# Findings are written to build-fuzz/findings/<target>/, each target's tail of output to
# build-fuzz/logs/<target>.log.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
jobs="${TOVEL_FUZZ_JOBS:-1}"

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DTOVEL_SANITIZE=ON \
      -DTOVEL_BUILD_FUZZ=ON -DTOVEL_BUILD_UI=OFF >/dev/null
targets=(base card_list_text card_list_xml card_text editions deck deck_list cube inventory insert_sideboard ini boosters draft_config
         draft_record sealed_config query)
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}" tovel-worldgen

# The large world's files, as the readers that take them see them.
world=build-fuzz/world-100000
if [ ! -f "$world/Data/base.txt" ]; then
    build-fuzz/bin/tovel-worldgen --large 100000 "$world" >/dev/null
fi
declare -A seeds=([base]=base.txt [card_list_text]=cards.txt [editions]=editions.txt [boosters]=boosters.ini
                  [ini]=boosters.ini [card_text]=card_text.txt)
if [ ! -f "$world/Data/card_text.txt" ]; then
    # The card-text target reads names, a blank line, then the card text.
    { cut -d';' -f2 "$world/Data/cards.txt"; printf '\r\n'; cat "$world/Data/gatherer.txt"; } \
        >"$world/Data/card_text.txt"
fi

fuzz_one() {
    local target=$1 work="build-fuzz/corpus/$1" findings="build-fuzz/findings/$1" log="build-fuzz/logs/$1.log"
    local status=0
    mkdir -p "$work" "$findings" build-fuzz/logs
    cp -n tests/fuzz/corpus/"$target"/* "$work"/ 2>/dev/null || true
    : >"$log"
    if [ -n "${seeds[$target]:-}" ]; then
        local seed="$world/Data/${seeds[$target]}"
        echo "== fuzz_$target on the whole $seed" >>"$log"
        build-fuzz/bin/fuzz_"$target" "$seed" -timeout=600 -rss_limit_mb=4096 -artifact_prefix="$findings/" \
            >"$log.seed" 2>&1 || status=1
        tail -n 3 "$log.seed" >>"$log"
        cp "$seed" "$work/world-100000-${seeds[$target]}"
    fi
    echo "== fuzz_$target for ${seconds}s" >>"$log"
    build-fuzz/bin/fuzz_"$target" "$work" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 \
        -max_len=65536 -artifact_prefix="$findings/" -print_final_stats=1 >"$log.run" 2>&1 || status=1
    tail -n 12 "$log.run" >>"$log"
    cat "$log"
    return "$status"
}

status=0
running=0
for target in "${targets[@]}"; do
    fuzz_one "$target" &
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then
        wait -n || status=1
        running=$((running - 1))
    fi
done
while [ "$running" -gt 0 ]; do
    wait -n || status=1
    running=$((running - 1))
done
# A finding is a failure whatever the exit statuses said.
if [ -n "$(find build-fuzz/findings -type f 2>/dev/null)" ]; then
    status=1
fi
exit $status
