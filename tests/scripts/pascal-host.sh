#!/bin/sh
# A host written in Free Pascal, whose runtime unmasks x87 overflow as the
# real host's does, imports invoices whose numbers overflow when
# multiplied: the module reports the error itself (no exception reaches the
# host), closes its files and hands back the control word.  Also a plain
# invoice, which imports.
#   pascal-host.sh MODULE BUILD_FOLDER
set -u
module=$1
work=$2/pascal-host
if ! command -v fpc >/dev/null 2>&1; then
  echo "SKIPPED: Free Pascal (fpc) is not installed"
  exit 0
fi
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work"
fpc -Mobjfpc -O1 -FE"$work" -FU"$work" "$here/pascal/pascalhost.pas" >"$work/fpc.log" 2>&1 ||
  { cat "$work/fpc.log"; exit 1; }
failed=0

# check NAME BLOCK_LINES EXPECTED_LINES...
check() {
  name=$1; block=$2; shift 2
  invoice="$work/$name.xml"
  printf '<ART_SALE>\r\n<szDescription>Towar</szDescription>\r\n%b</ART_SALE>\r\n' "$block" \
    > "$invoice"
  printf '%s\n' "$@" > "$work/$name.expected"
  "$work/pascalhost" "$module" "$work/$name.txt" "$invoice" > "$work/$name.seen" 2>&1
  if ! cmp -s "$work/$name.expected" "$work/$name.seen"; then
    echo "FAIL: $name"; diff "$work/$name.expected" "$work/$name.seen"; failed=1
  else
    echo "ok: $name"
  fi
}

check quantity_times_price \
  '<dQuantityEntry>1e4000</dQuantityEntry>\r\n<dTaAveragePiecePriceDiscounted>1e4000</dTaAveragePiecePriceDiscounted>\r\n' \
  "error: Iloczyn spoza zakresu liczb: \"1e4000\" * \"1e4000\" w znaczniku <dTaAveragePiecePriceDiscounted>, wiersz 4 pliku $work/quantity_times_price.xml" \
  'result: 0' 'files left open: 0' 'control word: kept'
check piece_factor \
  '<dPieceQuantity>1e4932</dPieceQuantity>\r\n<dQuantityEntry>10</dQuantityEntry>\r\n' \
  "error: Iloczyn spoza zakresu liczb: \"10\" * \"1e4932\" w znaczniku <dQuantityEntry>, wiersz 4 pliku $work/piece_factor.xml" \
  'result: 0' 'files left open: 0' 'control word: kept'
check plain '<dQuantityEntry>3</dQuantityEntry>\r\n<dTaAveragePiecePriceDiscounted>2,5</dTaAveragePiecePriceDiscounted>\r\n' \
  'result: 1' 'files left open: 0' 'control word: kept'
grep -q 'Ilosc{3.00}Cena{}Wartosc{n7.50}' "$work/plain.txt" || { echo "FAIL: plain document"; failed=1; }
exit $failed
