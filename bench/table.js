// Prints one table of the benchmarks' figures against their goals, from what bench/run
// collected: script.json (Google Benchmark), startup.txt, ui.txt and ui-classic.txt (the
// window under Wine; ui-earlier.txt and ui-classic-earlier.txt, an earlier build's), and
// runtime.txt (the runtime in Chromium, Firefox and WebKit). A missing or failed part shows
// as "-".
'use strict';
const fs = require('node:fs');
const path = require('node:path');

const dir = process.argv[2];
const read = (name) => {
  try { return fs.readFileSync(path.join(dir, name), 'utf8'); } catch { return ''; }
};
const rows = [];
const row = (what, figure, goal = '') => rows.push([what, figure ?? '-', goal]);
const fixed = (x, digits = 2) => (x === undefined || Number.isNaN(x) ? undefined : x.toFixed(digits));

// Medians of the repetitions, in microseconds of wall time, by "name/panels/bytes".
const times = {};
try {
  for (const b of JSON.parse(read('script.json')).benchmarks) {
    if (b.aggregate_name !== 'median') continue;
    const scale = { ns: 1e-3, us: 1, ms: 1e3 }[b.time_unit];
    times[b.run_name.replace(/^BM_/, '')] = b.real_time * scale;
  }
} catch { /* no native figures */ }
const sizes = [['50 panels', '50/0'], ['500 panels', '500/0'], ['5,000 panels', '5000/0'],
  ['500 KB of data', '1/500000'], ['5 MB of data', '1/5000000']];
for (const [op, plain] of [['Write', 'PlainWrite'], ['Read', 'PlainRead']]) {
  for (const [label, args] of sizes) {
    const t = times[`${op}/${args}`], p = times[`${plain}/${args}`];
    // The writer flushes before it replaces the file; so does this second yardstick.
    const f = times[`PlainWriteFlushed/${args}`];
    const flushed = op === 'Write' && f ? ` (${fixed(t / f, 1)}x flushed)` : '';
    row(`${op} ${label}: time, ratio to one plain ${op.toLowerCase()}`,
      t && p ? `${fixed(t, 0)} us, ${fixed(t / p, 1)}x${flushed}` : undefined, '<= 2x');
  }
  for (const [what, small, large] of [['50 to 500 panels', '50/0', '500/0'],
    ['500 to 5,000 panels', '500/0', '5000/0'], ['500 KB to 5 MB', '1/500000', '1/5000000']]) {
    const a = times[`${op}/${small}`], b = times[`${op}/${large}`];
    row(`${op} growth, ${what}`, a && b ? `${fixed(b / a, 1)}x` : undefined, 'linear (10x)');
  }
}
for (const op of ['Compose', 'Parse']) {
  const t = times[`${op}/5000/0`];
  row(`${op} 5,000 panels in memory`, t && `${fixed(t, 0)} us`);
}

const startup = read('startup.txt');
const number = (text, re) => { const m = text.match(re); return m ? Number(m[1]) : undefined; };
for (const [what, label] of [['designer', 'Orvella'], ['the same controls alone', 'minimal window with the same controls'],
  ['bare window', 'minimal window'], ['earlier designer', 'earlier Orvella']]) {
  const t = number(startup, new RegExp(`${label}: median ([\\d.]+)`));
  if (t !== undefined || what === 'designer') row(`Start-up to first paint, ${what}`, fixed(t, 1) + ' ms');
}
for (const [who, label] of [['designer', 'Orvella'], ['earlier designer', 'earlier Orvella']]) {
  const m = startup.match(new RegExp(`ratio, ${label}: ([\\d.]+) to the same controls, ([\\d.]+) to a bare`));
  if (!m && who !== 'designer') continue;
  row(`Start-up ratio, ${who}, to the same controls alone`, m?.[1], who === 'designer' ? '<= 1.15' : '');
  row(`Start-up ratio, ${who}, to a bare window`, m?.[2]);
}

// Each figure of the earlier build, when measured, follows the current one.
const commandTimes = (text) => {
  const found = {};
  const open = number(text, /Open of \d+ panels: median ([\d.]+)/);
  if (open !== undefined) found.Open = [open];
  const changed = number(text, /Open of \d+ panels, every setting changed: median ([\d.]+)/);
  if (changed !== undefined) found.OpenChanged = [changed];
  // The commands as clicked by the mouse, the first of the two sections.
  for (const m of text.split('Buttons pressed')[0].matchAll(/^(\S.*?)\s+median\s+([\d.]+) ms\s+max\s+([\d.]+) ms/gm))
    found[m[1]] = [Number(m[2]), Number(m[3])];
  return found;
};
for (const [file, look] of [['ui', "Wine's default theme"], ['ui-classic', 'classic look']]) {
  const now = commandTimes(read(`${file}.txt`)), before = commandTimes(read(`${file}-earlier.txt`));
  const earlier = (name) => (before[name] ? `, earlier ${fixed(before[name][0], 1)}` : '');
  for (const [key, what] of [['Open', 'Open of 5,000 panels'],
    ['OpenChanged', 'Open of 5,000 panels, every setting changed']]) {
    row(`${what}, median${earlier(key) ? ' (earlier)' : ''}, ${look}`,
      now[key] && `${fixed(now[key][0], 1)} ms${earlier(key)}`, '<= 16 ms');
  }
  for (const [name, [median, max]] of Object.entries(now).filter(([n]) => !n.startsWith('Open')))
    row(`${name} at 5,000 panels, median (max)${earlier(name) ? ', earlier' : ''}, ${look}`,
      `${fixed(median, 1)} ms (${fixed(max, 1)})${earlier(name)}`, '<= 16 ms');
}

const rt = read('runtime.txt');
row('foldpanes.js gzipped', number(rt, /(\d+) bytes gzipped/) + ' B', '<= 4096 B');
// The runtime's figures per engine, each engine's under its line "[name version]".
const engines = [...rt.matchAll(/^\[(\w+) ([^\]\s]+)\]/gm)];
if (!engines.length) engines.push(['', 'runtime', '']);
engines.forEach((m, i) => {
  const part = rt.slice(m.index ?? 0, engines[i + 1] ? engines[i + 1].index : undefined);
  const name = { chromium: 'Chromium', firefox: 'Firefox', webkit: 'WebKit' }[m[1]] ?? m[1];
  const engine = `${name} ${m[2].split('.').slice(0, 2).join('.')}`.trim();
  row(`Draw 1,000 panels: script while the page parses, ${engine}`,
    fixed(number(part, /draw 1000 panels[^]*?script[^\n]*?median ([\d.]+)/)) + ' ms', '<= 10 ms');
  row(`Draw 1,000 panels: the rest at DOMContentLoaded, ${engine}`,
    fixed(number(part, /draw 1000 panels[^]*?DOMContentLoaded[^\n]*?median ([\d.]+)/)) + ' ms');
  row(`Toggle 1 of 1,000, animated: each frame, ${engine}`,
    fixed(number(part, /each frame's script[^\n]*?median ([\d.]+)/)) + ' ms', '<= 4 ms');
  row(`Toggle 1 of 1,000, instant, ${engine}`, fixed(number(part, /instant:[^\n]*?median ([\d.]+)/)) + ' ms', '<= 4 ms');
});

const clean = rows.map(([a, b, c]) => [a, /undefined|NaN/.test(b) ? '-' : b, c]);
const width = [0, 1, 2].map((i) => Math.max(...clean.map((r) => r[i].length), 4));
const line = (r) => r.map((cell, i) => cell.padEnd(width[i])).join('  ').trimEnd();
// Which build the designer's figures are of: win32, or win64 where no 32-bit code runs.
const wine = read('wine.txt').trim();
if (wine) console.log(wine.replace(/^== /, ''));
console.log(line(['Benchmark', 'Measured', 'Goal']));
console.log(line(width.map((w) => '-'.repeat(w))));
for (const r of clean) console.log(line(r));
