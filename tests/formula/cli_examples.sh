#!/usr/bin/env bash
# Runs partwriter-cli formula over a table of options, formulas and expected outputs.
set -uo pipefail
cli="$1"
table="$2"
failed=0
count=0
while IFS= read -r line; do
    [[ "$line" == \#* || -z "$line" ]] && continue
    # Three tab-separated columns; the options column may hold several tab-separated words.
    expected="${line##*$'\t'}"
    rest="${line%$'\t'*}"
    formula="${rest##*$'\t'}"
    IFS=$'\t' read -r -a options <<<"${rest%$'\t'*}"
    actual="$("$cli" formula "${options[@]}" -- "$formula")"
    count=$((count + 1))
    if [[ "$actual" != "$expected" ]]; then
        echo "FAIL: ${options[*]} -- $formula: got '$actual', expected '$expected'"
        failed=$((failed + 1))
    fi
done <"$table"
echo "$count examples, $failed failed"
[[ $failed -eq 0 && $count -gt 0 ]]
