#!/bin/bash
# Times `zoris --pdf` against LibreOffice Calc converting the same table to PDF, for generated
# catalogues of 1,000 and 10,000 indicators with values, and prints the ratio of wall times.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
if ! command -v soffice >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends libreoffice-calc-nogui
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target zoris generate_catalogue
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

seconds() { local s; s=$(date +%s.%N); "$@" >/dev/null 2>&1; echo "$(date +%s.%N) - $s" | bc -l; }

printf '%-11s %12s %12s %8s\n' indicators zoris_s libreoffice_s ratio
for n in 1000 10000; do
  dir=$work/$n
  mkdir -p "$dir"
  build/support/generate_catalogue "$n" "$dir/DEFAULT.lng"
  python3 scripts/tablefiles.py "$dir/DEFAULT.lng" "$dir/values.zrs" "$dir/table.csv"
  printf 'Середня школа №1' | iconv -f UTF-8 -t WINDOWS-1251 > "$dir/school_name.dat"
  z=$(cd "$dir" && seconds "$OLDPWD/build/src/zoris" --pdf out.pdf values.zrs)
  l=$(cd "$dir" && seconds soffice --headless --norestore --convert-to pdf --outdir "$dir" table.csv)
  [ -s "$dir/out.pdf" ] && [ -s "$dir/table.pdf" ] || { echo "a PDF is missing for $n"; exit 1; }
  printf '%-11s %12.2f %12.2f %8.1f\n' "$n" "$z" "$l" "$(echo "$l / $z" | bc -l)"
done
