// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a JSON array of [latitude, longitude] pairs (decimal degrees, north and east positive)
// from stdin and writes a JSON array of IANA zone names (null where the lookup fails) to stdout.
// Usage: node zone_lookup.js <folder holding node_modules/@photostructure/tz-lookup>
"use strict";
const path = require("path");
const modules = process.argv[2] || __dirname;
const tzlookup = require(path.join(path.resolve(modules), "node_modules", "@photostructure", "tz-lookup"));

let input = "";
process.stdin.setEncoding("utf8");
process.stdin.on("data", (chunk) => (input += chunk));
process.stdin.on("end", () => {
  const zones = JSON.parse(input).map(([lat, lon]) => {
    try {
      return tzlookup(lat, lon);
    } catch (e) {
      return null;
    }
  });
  process.stdout.write(JSON.stringify(zones));
});
