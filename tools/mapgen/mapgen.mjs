// Projects the territories of each default map into picture coordinates.
//
// For every maps/<id>-<name>.json it reads the listed countries, Canadian provinces and
// Australian states (Natural Earth, 1:50m) and US states (Census Bureau), cuts them along
// the given meridians and parallels, groups them into territories, projects them into
// the 780 x 400 picture and writes out/<id>-<name>.json for maprender, which rasterises
// it.
//
// Usage: node mapgen.mjs [maps/<file>.json ...]   (all maps when none is given)

import { readFileSync, writeFileSync, mkdirSync, readdirSync } from 'node:fs';
import { dirname, join, basename } from 'node:path';
import { fileURLToPath } from 'node:url';
import { createRequire } from 'node:module';
import * as topojson from 'topojson-client';
import * as d3 from 'd3-geo';
import polygonClipping from 'polygon-clipping';

const here = dirname(fileURLToPath(import.meta.url));
const require = createRequire(import.meta.url);
const world = require('world-atlas/countries-50m.json');
const us = require('us-atlas/states-10m.json');

const WIDTH = 780;
const HEIGHT = 400;

function featuresByName(topology, object) {
    const out = new Map();
    for (const f of topojson.feature(topology, topology.objects[object]).features)
        out.set(f.properties.name, f);
    return out;
}

const countries = featuresByName(world, 'countries');
const states = featuresByName(us, 'states');
const provinces = readProvinces(join(here, 'data', 'provinces.json'));

function signedArea(ring) {
    let area = 0;
    for (let i = 0; i + 1 < ring.length; ++i)
        area += ring[i][0] * ring[i + 1][1] - ring[i + 1][0] * ring[i][1];
    return area / 2;
}

// The provinces come as plain outer rings; d3-geo wants them clockwise, as in the atlases.
function readProvinces(file) {
    const out = new Map();
    for (const province of JSON.parse(readFileSync(file, 'utf8')).provinces) {
        const polygons = province.rings.map((ring) => [signedArea(ring.coords) > 0 ? ring.coords.slice().reverse() : ring.coords]);
        out.set(province.name, { geometry: { type: 'MultiPolygon', coordinates: polygons } });
    }
    return out;
}

function polygonsOf(geometry) {
    if (geometry.type === 'Polygon')
        return [geometry.coordinates];
    if (geometry.type === 'MultiPolygon')
        return geometry.coordinates;
    return [];
}

// A box edge is densified so that, once projected, it follows its parallel or meridian
// rather than a great circle.
function boxPolygon([lon0, lat0, lon1, lat1]) {
    const ring = [];
    const step = 0.25;
    for (let x = lon0; x < lon1; x += step) ring.push([x, lat0]);
    for (let y = lat0; y < lat1; y += step) ring.push([lon1, y]);
    for (let x = lon1; x > lon0; x -= step) ring.push([x, lat1]);
    for (let y = lat1; y > lat0; y -= step) ring.push([lon0, y]);
    ring.push([lon0, lat0]);
    return [ring];
}

function polygonBox(polygon) {
    let x0 = Infinity, y0 = Infinity, x1 = -Infinity, y1 = -Infinity;
    for (const [x, y] of polygon[0]) {
        x0 = Math.min(x0, x); y0 = Math.min(y0, y);
        x1 = Math.max(x1, x); y1 = Math.max(y1, y);
    }
    return [x0, y0, x1, y1];
}

function centreInBox(polygon, [lon0, lat0, lon1, lat1]) {
    const [x0, y0, x1, y1] = polygonBox(polygon);
    const cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    return cx >= lon0 && cx <= lon1 && cy >= lat0 && cy <= lat1;
}

// Planar clipping in longitude/latitude turns rings to the opposite winding from what
// d3-geo expects on the sphere; reversing them keeps small pieces from becoming
// "everything but the piece".
function toSphericalWinding(polygons) {
    return polygons.map((polygon) => polygon.map((ring) => ring.slice().reverse()));
}

function partGeometry(part) {
    const feature = part.country ? countries.get(part.country)
                  : part.province ? provinces.get(part.province) : states.get(part.state);
    if (!feature)
        throw new Error(`unknown part ${JSON.stringify(part)}`);
    let polygons = polygonsOf(feature.geometry);
    // A ring that crosses the antimeridian jumps from +180 to -180; clipping is planar,
    // so such a country is moved onto one continuous range of longitudes first.
    if (part.unwrap)
        polygons = polygons.map((p) => p.map((r) => r.map(([x, y]) => [x < 0 ? x + 360 : x, y])));
    if (part.drop)
        polygons = polygons.filter((p) => !part.drop.some((box) => centreInBox(p, box)));
    if (part.box || part.boxes) {
        const boxes = part.boxes ?? [part.box];
        const clip = boxes.length === 1 ? boxPolygon(boxes[0])
                                        : polygonClipping.union(...boxes.map((b) => [boxPolygon(b)]));
        polygons = toSphericalWinding(polygonClipping.intersection(polygons, clip));
    }
    return { type: 'MultiPolygon', coordinates: polygons };
}

function millerRaw(lambda, phi) {
    return [lambda, 1.25 * Math.log(Math.tan(Math.PI / 4 + 0.4 * phi))];
}

function makeProjection(setup) {
    let projection;
    switch (setup.type) {
    case 'miller': projection = d3.geoProjection(millerRaw); break;
    case 'conicConformal': projection = d3.geoConicConformal().parallels(setup.parallels); break;
    case 'conicEqualArea': projection = d3.geoConicEqualArea().parallels(setup.parallels); break;
    default: throw new Error(`unknown projection ${setup.type}`);
    }
    projection.rotate(setup.rotate ?? [0, 0, 0]).scale(setup.scale).translate([0, 0]);
    const [cx, cy] = projection(setup.center);
    projection.translate([setup.at[0] - cx, setup.at[1] - cy]);
    projection.clipExtent([[-2, -2], [WIDTH + 2, HEIGHT + 2]]);
    return projection;
}

// Collects the projected rings that d3-geo streams into a path context.
function projectRings(projection, geometry) {
    const rings = [];
    let ring = null;
    const round = (v) => Math.round(v * 100) / 100;
    const context = {
        moveTo(x, y) { ring = [[round(x), round(y)]]; rings.push(ring); },
        lineTo(x, y) { ring.push([round(x), round(y)]); },
        closePath() { ring = null; },
        arc() {},
    };
    d3.geoPath(projection, context)(geometry);
    return rings.filter((r) => r.length >= 3);
}

function generate(file) {
    const table = JSON.parse(readFileSync(file, 'utf8'));
    const projection = makeProjection(table.projection);
    const continents = [];
    const territories = [];
    const numbers = new Map();
    table.continents.forEach((continent, c) => {
        continents.push({ number: c + 1, name: continent.name, value: continent.value });
        for (const territory of continent.territories) {
            const number = territories.length + 1;
            if (numbers.has(territory.name))
                throw new Error(`${file}: territory ${territory.name} listed twice`);
            numbers.set(territory.name, number);
            const parts = territory.parts.map((part) => projectRings(projection, partGeometry(part)));
            territories.push({ number, name: territory.name, continent: c + 1, rings: parts.flat() });
        }
    });
    const fillers = (table.fillers ?? []).flatMap((part) => projectRings(projection, partGeometry(part)));
    const territoryNumber = (name) => {
        if (!numbers.has(name))
            throw new Error(`${file}: sea line names unknown territory ${name}`);
        return numbers.get(name);
    };
    const lines = (table.lines ?? []).map(([a, b, how]) => ({ a: territoryNumber(a), b: territoryNumber(b), wrap: how === 'wrap' }));
    return {
        id: table.id,
        name: table.name,
        author: table.author,
        picture: table.picture,
        file: table.file,
        folder: basename(file, '.json'),
        width: WIDTH,
        height: HEIGHT,
        seed: table.seed ?? table.id,
        minIsland: table.minIsland ?? 20,
        continents,
        territories,
        fillers,
        lines,
    };
}

const files = process.argv.length > 2
    ? process.argv.slice(2)
    : readdirSync(join(here, 'maps')).filter((f) => f.endsWith('.json')).sort().map((f) => join(here, 'maps', f));
mkdirSync(join(here, 'out'), { recursive: true });
for (const file of files) {
    const result = generate(file);
    const target = join(here, 'out', `${result.folder}.json`);
    writeFileSync(target, JSON.stringify(result));
    console.log(`${target}: ${result.territories.length} territories, ${result.continents.length} continents`);
}
