#!/usr/bin/env python3
"""Turns the public source data (shared/data/sources) into the fix-file
sources of data/sources, within the 300,000 bytes that Korvant loads.

    scripts/make-sample-sources.py SOURCE_FOLDER data/sources
    scripts/make-sample-sources.py --ps1 SOURCE_FOLDER TRIMMED_FOLDER
    scripts/make-sample-sources.py --dafif SOURCE_FOLDER TRIMMED_FOLDER
"""
import csv
import math
import sys
from pathlib import Path

BUDGET = 299_000  # leaves room for the preamble and the directory
FIX, TERRAIN, BOUNDARY_POINT, LINE_HEAD = 16, 11, 10, 1


def rows(path):
    with open(path, newline="", encoding="utf-8") as f:
        yield from csv.DictReader(f)


def nm(a, b):
    la1, lo1, la2, lo2 = map(math.radians, (a[0], a[1], b[0], b[1]))
    h = math.sin((la1 - la2) / 2) ** 2 + math.cos(la1) * math.cos(la2) * math.sin((lo1 - lo2) / 2) ** 2
    return 6888.0986130627565514 * math.asin(math.sqrt(min(1.0, h)))


def main(src, out):
    src, out = Path(src), Path(out)
    out.mkdir(parents=True, exist_ok=True)
    taken = {}  # name -> positions already written
    fixes = []

    def add(name, kind, lat, lon):
        pos = (float(lat), float(lon))
        if any(nm(pos, p) <= 1.0 for p in taken.get(name, [])):
            return False
        taken.setdefault(name, []).append(pos)
        fixes.append((name, kind, lat, lon))
        return True

    kinds = {"waypoint": 0, "airport": 1, "vor": 2, "ndb": 3}
    for r in rows(src / "oceanic_waypoints.csv"):
        add(r["name"], kinds[r["kind"]], r["lat"], r["lon"])
    # The Gander and Shanwick entry points the older data lacks (MIT, see data/README.md).
    for r in rows(src / "added_fixes.csv"):
        add(r["name"], kinds[r["kind"]], r["lat"], r["lon"])

    # Lines first: they are all kept, and the fixes fill what is left.
    boundaries = {}
    for r in rows(src / "fir_boundaries.csv"):
        boundaries.setdefault(r["id"], []).append((r["lat"], r["lon"]))
    terrain = {}
    for r in rows(src / "coastline_ne110m.csv"):
        terrain.setdefault(r["id"], []).append((r["lat"], r["lon"]))
    line_bytes = sum(LINE_HEAD + BOUNDARY_POINT * len(p) for p in boundaries.values())
    line_bytes += sum(TERRAIN * len(p) for p in terrain.values())

    def room():
        return BUDGET - line_bytes - FIX * len(fixes)

    airports = list(rows(src / "airports_large_medium.csv"))
    for r in airports:
        if r["kind"] == "large":
            add(r["name"], 1, r["lat"], r["lon"])
    for r in airports:
        if r["kind"] == "medium" and r["area"] in ("NAT", "PAC"):
            add(r["name"], 1, r["lat"], r["lon"])

    navaids = list(rows(src / "navaids_vor_ndb.csv"))
    is_vor = lambda r: r["kind"].startswith("VOR")
    ordered = ([r for r in navaids if is_vor(r) and r["area"] != "other"]
               + [r for r in navaids if not is_vor(r) and r["area"] != "other"]
               + [r for r in navaids if is_vor(r) and r["area"] == "other"]
               + [r for r in navaids if not is_vor(r) and r["area"] == "other"])
    left_out = 0
    for r in ordered:
        if room() < FIX or len(r["name"]) > 5:
            left_out += 1
            continue
        add(r["name"], 2 if is_vor(r) else 3, r["lat"], r["lon"])
    for r in airports:
        if r["kind"] == "medium" and r["area"] == "other" and room() >= FIX:
            add(r["name"], 1, r["lat"], r["lon"])

    with open(out / "fixes.csv", "w", newline="") as f:
        f.write("# Named fixes: kind 0 waypoint, 1 airport, 2 VOR, 3 NDB. See data/README.md.\n")
        f.write("name,kind,lat,lon\n")
        for name, kind, lat, lon in fixes:
            f.write(f"{name},{kind},{lat},{lon}\n")
    def write_lines(name, comment, header, lines):
        with open(out / name, "w", newline="") as f:
            f.write(f"# {comment} See data/README.md.\n{header},lat,lon\n")
            for ident, points in lines.items():
                for lat, lon in points:
                    f.write(f"{ident},{lat},{lon}\n")

    write_lines("boundaries.csv", "Oceanic boundaries, VAT-Spy Data Project, CC BY-SA 4.0.", "boundary", boundaries)
    write_lines("terrain.csv", "Coastline, Natural Earth 1:110m land, public domain.", "terrain", terrain)
    print(f"{len(fixes)} fixes, {len(boundaries)} boundary lines, {len(terrain)} terrain lines; "
          f"{left_out} navaids left out; about {BUDGET - room()} bytes")



def copy_rows(src, out, name, keep):
    """Copies the rows of one public CSV that `keep` accepts; returns their names."""
    with open(src / name, newline="", encoding="utf-8") as f:
        reader = csv.DictReader(f)
        with open(out / name, "w", newline="", encoding="utf-8") as g:
            writer = csv.DictWriter(g, fieldnames=reader.fieldnames, lineterminator="\n")
            writer.writeheader()
            kept = set()
            for r in reader:
                if keep(r):
                    writer.writerow(r)
                    kept.add(r.get("name"))
            return kept


def ps1_sources(src, out):
    """The public rows the sample PS1 folder is built from: every waypoint, the
    North Atlantic and Pacific navaids, the large airports and the North
    Atlantic and Pacific medium ones with their runways. korvant-mkdat --ps1
    turns them into the folder; its --ps1-dump gives data/sources/ps1.csv."""
    src, out = Path(src), Path(out)
    out.mkdir(parents=True, exist_ok=True)

    def copy(name, keep):
        return copy_rows(src, out, name, keep)

    copy("oceanic_waypoints.csv", lambda r: True)
    copy("added_fixes.csv", lambda r: True)
    copy("navaids_vor_ndb.csv", lambda r: r["area"] in ("NAT", "PAC"))
    airports = copy("airports_large_medium.csv", lambda r: r["kind"] == "large" or r["area"] in ("NAT", "PAC"))
    copy("runways.csv", lambda r: r["airport_ident"] in airports)


def dafif_sources(src, out):
    """The public rows the sample DAFIF folder is built from: every waypoint,
    and the airports (with their runways) and navaids of North America, the
    North Atlantic and Europe, 15N to 75N and 130W to 45E. korvant-mkdat
    --dafif turns them and data/dafif-made-up.csv into the folder; its
    --dafif-dump gives data/dafif-sample.csv."""
    src, out = Path(src), Path(out)
    out.mkdir(parents=True, exist_ok=True)

    def inside(r):
        return 15 <= float(r["lat"]) <= 75 and -130 <= float(r["lon"]) <= 45

    def copy(name, keep):
        return copy_rows(src, out, name, keep)

    copy("oceanic_waypoints.csv", lambda r: True)
    copy("added_fixes.csv", lambda r: True)
    copy("navaids_vor_ndb.csv", inside)
    airports = copy("airports_large_medium.csv", inside)
    copy("runways.csv", lambda r: r["airport_ident"] in airports)


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--ps1":
        ps1_sources(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 4 and sys.argv[1] == "--dafif":
        dafif_sources(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 3:
        main(sys.argv[1], sys.argv[2])
    else:
        sys.exit(__doc__)
