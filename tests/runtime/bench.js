// Benchmark of foldpanes.js in each engine, Chromium, Firefox and WebKit (not a test): script
// time to draw 100 and 1,000 panels, the cost of toggling one panel among 1,000, and the
// gzipped size. Each figure is the median with the 10th to 90th percentile and the whole
// range of many runs. Run it with `tests/runtime/run bench`, which installs what it needs first;
// ORVELLA_ENGINES picks engines as for the tests.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const { pathToFileURL } = require('node:url');
const { runtime, SEP, tempFolder, writeScript, editScript, writePage, settled } = require('./lib');
const { names, launch } = require('./engines');

const RUNS = 31;
// Panels toggled: every second one of the hundred in the middle, a quarter of them open at first.
const TOGGLED = Array.from({ length: 50 }, (_, i) => 450 + 2 * i);
const ms = (x) => `${x.toFixed(2)} ms`;
function spread(xs) {
  const s = [...xs].sort((a, b) => a - b), at = (f) => s[Math.min(s.length - 1, Math.floor(f * s.length))];
  return `median ${ms(at(0.5))} (p10-p90 ${at(0.1).toFixed(2)}-${at(0.9).toFixed(2)}, range ${s[0].toFixed(2)}-${s[s.length - 1].toFixed(2)}, n=${s.length})`;
}

function panels(count) {
  const out = [];
  for (let i = 0; i < count; i++) {
    out.push([`Panel ${i}`, '120', 'ico.gif', i % 4 === 0 ? '1' : '0',
      `Line one of panel ${i}<br>${SEP}<a href="#p${i}">a link</a> and some more text.`]);
  }
  return out;
}

// Loads a fresh page per run, the runtime inline between two marks, so that what is timed is
// the runtime's own script while the page is parsed (not fetching or compiling it), and
// separately what it leaves for DOMContentLoaded: the panels below the area's height and the
// collapsed bodies.
async function draw(engine, serve, count, runtimeSource) {
  const dir = tempFolder();
  const file = writeScript(dir, { panels: panels(count) });
  editScript(file, (text) => text.replace(/^document\.write\('<script language=javascript src=foldpanes\.js>.*$/m, ''));
  const html = `<!doctype html><html><head><meta charset="windows-1252"><title>bench</title>
<script>document.addEventListener('DOMContentLoaded', () => performance.mark('dcl0'));</script></head>
<body><div style="position:relative"><script src="menu.js"></script>
<script>performance.mark('a');${runtimeSource}
performance.mark('b');
document.addEventListener('DOMContentLoaded', () => performance.mark('dcl1'));</script></div></body></html>`;
  fs.writeFileSync(path.join(dir, 'bench.html'), html, 'latin1');
  const url = serve(pathToFileURL(path.join(dir, 'bench.html')).href);
  const script = [], deferred = [];
  const page = await engine.open('about:blank');
  for (let i = 0; i < RUNS; i++) {
    await page.goto(url);
    const [a, b, d0, d1] = await page.evaluate(() => ['a', 'b', 'dcl0', 'dcl1'].map((m) => performance.getEntriesByName(m)[0].startTime));
    script.push(b - a);
    deferred.push(d1 - d0);
  }
  await page.close();
  return { script, deferred };
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

// Toggles panels around the middle of 1,000, each open and shut, one toggle per task with a
// painted frame between them as when a visitor clicks. Instant (as with reduced motion): the
// click with the style and layout it causes, forced at once. Animated: the click, then each
// frame's script with the style and layout its new height causes (forced at the end of the
// callback, where the frame would do it anyway).
// Times each animation frame's callbacks with the style and layout they cause.
const frameTimer = `<script>(function () {
  var raf = window.rawFrame = window.requestAnimationFrame.bind(window);
  window.frameTimes = [];
  window.requestAnimationFrame = function (cb) {
    return raf(function (t) {
      var t0 = performance.now();
      cb(t);
      void document.body.offsetHeight;
      window.frameTimes.push(performance.now() - t0);
    });
  };
})();</script>`;

async function toggle(engine, serve) {
  const dir = tempFolder();
  writeScript(dir, { panels: panels(1000) });
  const url = serve(writePage(dir, { head: frameTimer }));
  const out = {};
  for (const motion of ['reduce', 'no-preference']) {
    const page = await engine.open(url, { reducedMotion: motion === 'reduce' });
    const clicks = [];
    const ids = motion === 'reduce' ? TOGGLED : TOGGLED.slice(0, 20);
    for (const id of ids) {
      for (let twice = 0; twice < 2; twice++) {
        clicks.push(await page.evaluate((id) => new Promise((done) => {
          // Starts after a frame has been drawn, so that nothing is left over from before.
          window.rawFrame(() => setTimeout(() => {
            const b = document.getElementById(`zub1t${id}`);
            const t0 = performance.now();
            b.click();
            void document.body.offsetHeight;
            done(performance.now() - t0);
          }));
        }), id));
        await settled(page, `zub1t${id}`, 20);
      }
    }
    out[motion] = { clicks, frames: await page.evaluate(() => window.frameTimes) };
    await page.close();
  }
  return out;
}

// Serves dir's files over HTTP with the headers that isolate the page, whose clock then
// counts in microseconds rather than tenths of a millisecond; file URLs map to its own.
function server() {
  const http = require('node:http');
  const { fileURLToPath } = require('node:url');
  const srv = http.createServer((req, res) => {
    const file = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    fs.readFile(file, (err, body) => {
      if (err) { res.writeHead(404); res.end(); return; }
      res.writeHead(200, {
        'Content-Type': /\.html$/.test(file) ? 'text/html' : /\.js$/.test(file) ? 'text/javascript' : 'image/gif',
        'Cross-Origin-Opener-Policy': 'same-origin', 'Cross-Origin-Embedder-Policy': 'require-corp',
      });
      res.end(body);
    });
  });
  return new Promise((ready) => srv.listen(0, '127.0.0.1', () => ready({
    serve: (fileUrl) => `http://127.0.0.1:${srv.address().port}${pathToFileURL(fileURLToPath(fileUrl)).pathname}`,
    close: () => srv.close(),
  })));
}

// Each engine's figures under a line [engine version], which bench/table.js looks for.
async function measure(name, serve, source) {
  const engine = await launch(name);
  try {
    const page = await engine.open(serve(writePage(tempFolder())));
    const isolated = await page.evaluate(() => crossOriginIsolated);
    await page.close();
    console.log(`[${name} ${engine.version}]${isolated ? '' : ' (the page is not cross-origin isolated: the clock is coarse)'}`);
    for (const count of [100, 1000]) {
      const r = await draw(engine, serve, count, source);
      const base = await draw(engine, serve, count, vanilla(count));
      console.log(`draw ${count} panels (${RUNS} page loads)${count === 1000 ? ', goal <= 10 ms' : ''}:\n` +
        `  script while parsing      ${spread(r.script)}\n` +
        `  the rest at DOMContentLoaded ${spread(r.deferred)}\n` +
        `  bare text-only accordion  ${spread(base.script)}`);
    }
    const t = await toggle(engine, serve);
    console.log('toggle 1 of 1000, goal <= 4 ms:');
    console.log(`  instant: click + style + layout   ${spread(t.reduce.clicks)}`);
    console.log(`  animated: click + style + layout  ${spread(t['no-preference'].clicks)}`);
    console.log(`  animated: each frame's script + style + layout ${spread(t['no-preference'].frames)}`);
  } finally {
    await engine.close();
  }
}

(async () => {
  const { serve, close } = await server();
  try {
    const src = fs.readFileSync(path.join(runtime, 'foldpanes.js'));
    const gz = zlib.gzipSync(src, { level: 9 }).length;
    console.log(`foldpanes.js: ${src.length} bytes, ${gz} bytes gzipped (goal <= 4096)`);
    for (const name of names) await measure(name, serve, src.toString('latin1'));
  } finally {
    close();
  }
})().catch((e) => { console.error(e); process.exit(1); });
