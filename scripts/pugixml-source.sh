#!/usr/bin/env bash
# pugixml's own source from Debian (the package the program links), for the
# fuzz build, which compiles it with the fuzzer's instrumentation so that the
# targets see the XML parser's branches too. Prints the folder of pugixml.cpp.
#   scripts/pugixml-source.sh FOLDER
set -euo pipefail
folder=${1:?folder}
found=$(find "$folder" -name pugixml.cpp -path '*/src/*' 2> /dev/null | head -n 1 || true)
if [[ -z $found ]]; then
  mkdir -p "$folder"
  list=/etc/apt/sources.list.d/korvant-src.sources
  if ! apt-get source --print-uris pugixml > /dev/null 2>&1; then
    # Debian's source packages, from the same archive as its binary ones.
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\nSigned-By: %s\n' \
      /usr/share/keyrings/debian-archive-keyring.gpg > "$list"
    apt-get update -qq > /dev/null
  fi
  (cd "$folder" && apt-get source --download-only pugixml > /dev/null 2>&1)
  tar -xzf "$folder"/pugixml_*.orig.tar.gz -C "$folder"
  found=$(find "$folder" -name pugixml.cpp -path '*/src/*' | head -n 1)
fi
dirname "$found"
