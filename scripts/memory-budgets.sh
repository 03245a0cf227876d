#!/usr/bin/env bash
# The whole process's memory (maximum resident size) of korvant-plot reading
# each user file at its reader's limit, against the budget: the program's own
# base plus four times the file. Run by `make bench`; fails when one is over.
#   scripts/memory-budgets.sh BUILD_FOLDER
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
plot=$build/bin/korvant-plot
work=$(mktemp -d)
server=
trap '[[ -n $server ]] && kill "$server" 2> /dev/null; [[ -n ${KEEP:-} ]] || rm -rf "$work"' EXIT

# A file of at most `bytes`: an optional head line, then lines from an awk
# program's printf pattern, its counter i running (so every line differs:
# positions spread over the map, as real files have them), cut at a line end.
fill() { # path bytes awk-printf-arguments [head]
  { [[ -n ${4:-} ]] && printf "%s\n" "$4"
    (set +o pipefail; awk "BEGIN { for (i = 0; ; i++) printf $3 }" 2> /dev/null | head -c "$(($2 - 128))" | sed '$d'); } > "$1"
}

# The maximum resident size in KB of korvant-plot run in folder $1 with the rest.
peak() {
  local folder=$1
  shift
  (cd "$folder" && /usr/bin/time -f %M "$plot" "$@" -o "$folder/out.png" --size 800x600 > /dev/null 2> "$folder/err") ||
    true
  tail -n 1 "$folder/err"
}

fresh() { # a folder with the sample control and fix files
  local f=$work/$1
  mkdir -p "$f"
  cp "$build/run/KORVANT.CTL" "$build/run/KORVANT.DAT" "$f/"
  echo "$f"
}

mb=$((1024 * 1024))
base=$(peak "$(fresh base)")
printf '%-28s %10s %10s %10s\n' "file at its limit" "file MB" "peak MB" "budget MB"
printf '%-28s %10s %10d %10s\n' "(none: the base)" - $((base / 1024)) -
failed=0
check() { # name bytes peakKB
  local budget=$((base + 4 * $2 / 1024))
  local verdict=""
  if (($3 > budget)); then
    verdict="  OVER"
    failed=1
  fi
  printf '%-28s %10.1f %10d %10d%s\n' "$1" "$(awk "BEGIN { print $2 / $mb }")" $(($3 / 1024)) $((budget / 1024)) "$verdict"
}

f=$(fresh ortca)
mkdir "$f/DAFIF"
# A value every tenth of a degree over the world.
fill "$f/DAFIF/DAFORTCA.TXT" $((64 * mb)) \
  '"N%02d%02d.00 W%03d%02d.00 %d\n", (i / 3600) % 90, (i / 600) % 6 * 10, (i % 3600) / 20, (i % 20) * 3, i % 300' \
  "QUADRANGLE_SIZE 1"
check "DAFORTCA.TXT" $((64 * mb)) "$(peak "$f" --layer dafifOrtca=on --centre N5000/W00500 --range 300)"
# Every value on one spot: what a damaged file may hold.
fill "$f/DAFIF/DAFORTCA.TXT" $((64 * mb)) '"N5000.00 W00500.00 45\n"' "QUADRANGLE_SIZE 1"
check "DAFORTCA.TXT (one spot)" $((64 * mb)) "$(peak "$f" --layer dafifOrtca=on --centre N5000/W00500 --range 300)"

f=$(fresh wptn)
mkdir "$f/DAFIF"
fill "$f/DAFIF/WPTN.TXT" $((64 * mb)) \
  '"W%04d N%02d%02d.00 W%03d%02d.00 N - H - - -\n", i % 10000, (i / 3600) % 90, (i / 60) % 60, (i % 3600) / 20, i % 60' 
check "WPTN.TXT" $((64 * mb)) "$(peak "$f" --layer dafifWptH=on --centre N6500/W06000 --range 300)"

f=$(fresh user)
fill "$f/USER.TXT" $((16 * mb)) '"LINE SOLID %d/%d %d/%d\n", 40 + i % 30, i % 60, 41 + i % 30, 1 + i % 60' 
check "USER.TXT" $((16 * mb)) "$(peak "$f" --layer showUserTxt=on)"

f=$(fresh plan)
# At the limit of points, 10000: a larger file is refused unread past it.
{
  echo "[flightplan]"
  awk 'BEGIN { for (i = 0; i < 10000; i++) printf "waypoint.%d=W%d, I, N%d* 30.0\x27, W%03d* 15.5\x27, +035000.00\n", i, i, 40 + i % 30, i % 60 }'
} > "$f/big.pln"
check "flight plan, 10000 points" "$(stat -c %s "$f/big.pln")" "$(peak "$f" --plan big.pln)"

f=$(fresh xpnav)
mkdir "$f/XP"
fill "$f/XP/earth_fix.dat" $((256 * mb)) \
  '" %11.8f %13.8f F%04d ENRT EG 2105430\n", (i % 17000) / 100 - 85, (i % 35900) / 100 - 179, i % 10000' \
  $'I\n1101 Version'
printf 'I\n1150 Version\n99\n' > "$f/XP/earth_nav.dat"
printf 'I\n1100 Version\n99\n' > "$f/XP/earth_awy.dat"
echo "NavDataDir XP/" >> "$f/KORVANT.CTL"
check "earth_fix.dat (X-Plane)" $((256 * mb)) "$(peak "$f" --layer navDataNavaids=on)"
# Packed, it is held unpacked: counted at its unpacked size.
unpacked=$(stat -c %s "$f/XP/earth_fix.dat")
gzip -1 "$f/XP/earth_fix.dat"
check "earth_fix.dat.gz (unpacked)" "$unpacked" "$(peak "$f" --layer navDataNavaids=on)"

f=$(fresh download)
mkdir "$f/www"
fill "$f/www/nat.txt" $((16 * mb)) '"A %d/20 58/30 59/40\n", 50 + i % 10' 
port=$((20000 + RANDOM % 20000))
(cd "$f/www" && exec python3 -m http.server --bind 127.0.0.1 "$port" > /dev/null 2>&1) &
server=$!
for _ in $(seq 50); do
  curl -sf "http://127.0.0.1:$port/" > /dev/null 2>&1 && break
  sleep 0.1
done
check "a 16 MB download" $((16 * mb)) "$(peak "$f" --tracks "http://127.0.0.1:$port/nat.txt")"

exit $failed
