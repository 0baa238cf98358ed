#!/usr/bin/env bash
# Every relative link of the project's pages resolves; and the checker does
# catch a missing file and a missing heading, which a checker that passes
# everything would not.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/scripts/check-links" "$root" || { echo "FAIL: the project's pages have broken links"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/docs"
printf '# Top\n[a](docs/gone.md) [b](docs/page.md#nowhere) [c](docs/page.md#a-heading) [d](#top)\n' >"$work/README.md"
printf '# A heading\n[up](../README.md)\n```\n[in code](not-checked.md)\n```\n' >"$work/docs/page.md"
found=$("$root/scripts/check-links" "$work") && { echo "FAIL: broken links passed"; exit 1; }
expected=$'README.md: docs/gone.md (no such file)\nREADME.md: docs/page.md#nowhere (no such heading)'
[[ $found == "$expected" ]] || { printf 'FAIL: expected\n%s\ngot\n%s\n' "$expected" "$found"; exit 1; }
echo "docs_links: passed"
