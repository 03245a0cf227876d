#!/usr/bin/env bash
# Installs the Debian packages that building, testing, benchmarking, fuzzing
# and the headless renderer need. Does nothing when they are all present.
set -euo pipefail

packages=(
  cmake ninja-build make g++ clang libclang-rt-14-dev clang-format clang-tidy pkg-config git
  # qt6-svg-dev provides the virtual libqt6svg6-dev, which dpkg never lists as installed.
  qt6-base-dev qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libgeographiclib-dev libproj-dev nlohmann-json3-dev
  fonts-dejavu-core fonts-liberation2 xvfb xauth
  # pdftoppm: the tests rasterise printed pages as a reader of the PDF sees them.
  poppler-utils
  # desktop-file-validate: the install test checks the menu entry with it.
  desktop-file-utils
  # KML and GPX exports are written through pugixml.
  libpugixml-dev
  # FlightGear's navigation data comes gzipped: unpacked through zlib.
  zlib1g-dev
  # COAST.DAT, the finer coastline, is built from GSHHG's shorelines, read through netCDF.
  libnetcdf-dev gmt-gshhg-low
  # xmllint: the tests validate the GPX the program writes against the schema's rules.
  libxml2-utils
  # make package-check: the package's checks, and the manual pages rendered.
  lintian appstream groff-base man-db dpkg-dev fakeroot file
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
