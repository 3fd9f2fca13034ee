// Benchmark of foldpanes.js in headless Chromium (not a test): script time to draw 100 and
// 1,000 panels, the cost of toggling one panel among 1,000, and the gzipped size.
// Run it with `tests/runtime/run bench`, which builds the writer and installs Playwright first.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const { pathToFileURL } = require('node:url');
const { runtime, SEP, tempFolder, writeScript, editScript, writePage, launch } = require('./lib');

const RUNS = 15;
const median = (xs) => { const s = [...xs].sort((a, b) => a - b); return s[s.length >> 1]; };
const ms = (x) => `${x.toFixed(2)} ms`;

function panels(count) {
  const out = [];
  for (let i = 0; i < count; i++) {
    out.push([`Panel ${i}`, '120', i % 4 === 0 ? '1' : '0', 'ico.gif',
      `Line one of panel ${i}<br>${SEP}<a href="#p${i}">a link</a> and some more text.`]);
  }
  return out;
}

// Loads a fresh page per run, the runtime inline between two marks, so that what is timed is
// the runtime's own script while the page is parsed (not fetching or compiling it), and
// separately what it leaves for DOMContentLoaded: the panels below the area's height and the
// collapsed bodies.
async function draw(browser, count, runtimeSource) {
  const dir = tempFolder();
  const file = writeScript(dir, { panels: panels(count) });
  editScript(file, (text) => text.replace(/^document\.write\('<script language=javascript src=foldpanes\.js>.*$/m, ''));
  const page = `<!doctype html><html><head><meta charset="windows-1252"><title>bench</title>
<script>document.addEventListener('DOMContentLoaded', () => performance.mark('dcl0'));</script></head>
<body><div style="position:relative"><script src="menu.js"></script>
<script>performance.mark('a');${runtimeSource}
performance.mark('b');
document.addEventListener('DOMContentLoaded', () => performance.mark('dcl1'));</script></div></body></html>`;
  fs.writeFileSync(path.join(dir, 'bench.html'), page, 'latin1');
  const url = pathToFileURL(path.join(dir, 'bench.html')).href;
  const context = await browser.newContext();
  const script = [], deferred = [];
  for (let i = 0; i < RUNS; i++) {
    const tab = await context.newPage();
    await tab.goto(url);
    const [a, b, d0, d1] = await tab.evaluate(() => ['a', 'b', 'dcl0', 'dcl1'].map((m) => performance.getEntriesByName(m)[0].startTime));
    script.push(b - a);
    deferred.push(d1 - d0);
    await tab.close();
  }
  await context.close();
  return { script: median(script), deferred: median(deferred) };
}

// The same measure for a bare accordion of the same number of panels, text only, as a yardstick
// for this machine.
const vanilla = (count) => `(function () {
  var d = document, f = d.createDocumentFragment();
  for (var i = 0; i < ${count}; i++) {
    var h = d.createElement('h3'), b = d.createElement('button'), p = d.createElement('div');
    b.textContent = 'Panel ' + i; b.id = 'b' + i; b.setAttribute('aria-expanded', 'false'); b.setAttribute('aria-controls', 'p' + i);
    p.id = 'p' + i; p.textContent = 'Body of panel ' + i; p.hidden = true;
    h.appendChild(b); f.appendChild(h); f.appendChild(p);
  }
  d.currentScript.parentNode.appendChild(f);
})();`;

// Toggles one panel in the middle of 1,000: the click with the layout after it, instant (as
// with reduced motion) and animated (the click, then each animation frame's script).
async function toggle(browser) {
  const dir = tempFolder();
  writeScript(dir, { panels: panels(1000) });
  const url = writePage(dir);
  const out = {};
  for (const motion of ['reduce', 'no-preference']) {
    const context = await browser.newContext({ reducedMotion: motion });
    const page = await context.newPage();
    // Times every animation frame callback the runtime asks for.
    await page.addInitScript(() => {
      const raf = window.requestAnimationFrame.bind(window);
      window.frameTimes = [];
      window.requestAnimationFrame = (cb) => raf((t) => { const t0 = performance.now(); cb(t); window.frameTimes.push(performance.now() - t0); });
    });
    await page.goto(url);
    const clicks = [];
    for (let i = 0; i < RUNS; i++) {
      clicks.push(await page.evaluate(() => {
        const b = document.getElementById('zub1t501');
        const t0 = performance.now();
        b.click();
        void document.body.offsetHeight;
        return performance.now() - t0;
      }));
      await page.waitForFunction(() => {
        const p = document.getElementById('zub1p501');
        return p.style.height === '' || p.style.height === '0px';
      });
    }
    const frames = await page.evaluate(() => window.frameTimes);
    out[motion] = { click: median(clicks), frame: frames.length ? median(frames) : 0, frames: frames.length };
    await context.close();
  }
  return out;
}

(async () => {
  const browser = await launch();
  try {
    const src = fs.readFileSync(path.join(runtime, 'foldpanes.js'));
    const gz = zlib.gzipSync(src, { level: 9 }).length;
    console.log(`foldpanes.js: ${src.length} bytes, ${gz} bytes gzipped (goal <= 4096)`);
    const source = src.toString('latin1');
    for (const count of [100, 1000]) {
      const r = await draw(browser, count, source);
      const base = await draw(browser, count, vanilla(count));
      console.log(`draw ${count} panels: script ${ms(r.script)}${count === 1000 ? ' (goal <= 10 ms)' : ''}, ` +
        `the rest at DOMContentLoaded ${ms(r.deferred)}; bare text-only accordion ${ms(base.script)} (medians of ${RUNS} page loads)`);
    }
    const t = await toggle(browser);
    console.log(`toggle 1 of 1000, instant: click + layout ${ms(t.reduce.click)} (goal <= 4 ms)`);
    console.log(`toggle 1 of 1000, animated: click + layout ${ms(t['no-preference'].click)}, script per frame ${ms(t['no-preference'].frame)} over ${t['no-preference'].frames} frames`);
  } finally {
    await browser.close();
  }
})();
