#!/usr/bin/env bash
# Checks a built korvant .deb as a user of it would meet it: unpacked into a
# scratch root (dpkg -x, no root needed), the plotter run on the installed
# samples, every manual page rendered without a warning, lintian without an
# error, and the AppStream listing valid.
#   scripts/package-check.sh out/korvant_0.1_amd64.deb
set -euo pipefail
deb=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

dpkg-deb --info "$deb" | grep -E '^ (Package|Version|Depends):'
dpkg -x "$deb" "$root"
for file in usr/bin/korvant usr/bin/korvant-plot usr/bin/korvant-mkdat usr/share/korvant/KORVANT.CTL \
  usr/share/korvant/KORVANT.DAT usr/share/applications/korvant.desktop \
  usr/share/metainfo/io.github.korvant.Korvant.metainfo.xml usr/share/doc/korvant/copyright \
  usr/share/doc/korvant/changelog.gz usr/share/man/man1/korvant.1.gz usr/share/man/man1/korvant-plot.1.gz \
  usr/share/man/man1/korvant-mkdat.1.gz usr/share/man/man5/korvant.ctl.5.gz; do
  [[ -e $root/$file ]] || { echo "package-check: not in the package: $file"; exit 1; }
done

# Each program says the package's version.
version=$(dpkg-deb --field "$deb" Version)
for program in korvant-plot korvant-mkdat; do
  said=$("$root/usr/bin/$program" --version)
  [[ $said == "$program $version" ]] || { echo "package-check: $program --version says '$said'"; exit 1; }
done

# The installed plotter on the installed samples, in a copy (the installed
# folder is read-only to a user).
work=$root/work
cp -r "$root/usr/share/korvant" "$work"
(cd "$work" && "$root/usr/bin/korvant-plot" --tracks tracks/nat-20160210.html --report > report.txt \
  && "$root/usr/bin/korvant-plot" --tracks tracks/nat-20160210.html -o map.png)
grep -q "^TRACK A  WESTBOUND" "$work/report.txt" || { echo "package-check: no track in the report"; exit 1; }
[[ $(head -c 8 "$work/map.png" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] \
  || { echo "package-check: the plotter wrote no PNG"; exit 1; }

# Every page renders, and groff has nothing to warn about.
for page in "$root"/usr/share/man/man*/*.gz; do
  warnings=$(zcat "$page" | groff -ww -man -Tutf8 -z 2>&1)
  [[ -z $warnings ]] || { echo "package-check: $page: $warnings"; exit 1; }
  MANWIDTH=80 man -l "$page" > /dev/null
done
zcat "$root/usr/share/man/man1/korvant-plot.1.gz" | grep -qF 'route\-string' \
  || { echo "package-check: korvant-plot.1 lacks its options"; exit 1; }

appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.korvant.Korvant.metainfo.xml"
desktop-file-validate "$root/usr/share/applications/korvant.desktop"

# Errors fail; warnings are listed.
lintian --fail-on error --tag-display-limit 0 "$deb"
echo "package-check: $deb is sound"
