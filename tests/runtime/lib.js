// Shared by the runtime tests and the benchmark: script files written by the designer's own
// writer, pages that include them, and what is read back from the drawn bar.
'use strict';
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { pathToFileURL } = require('node:url');

const root = path.resolve(__dirname, '..', '..');
const runtime = path.join(root, 'runtime');
const tool = process.env.ORVELLA_MAKE_SCRIPT || path.join(root, 'build', 'linux', 'tools', 'orvella_make_script');
const SEP = '\x01'; // joins a panel's data lines, as the panel editor does

// The texts Add gives a new panel.
const newPanel = ['New Panel', '200', 'ico.gif', '1', `New Panel<br>${SEP}This is a new Panel`];

const made = [];
process.on('exit', () => made.forEach((dir) => fs.rmSync(dir, { recursive: true, force: true })));
function tempFolder() {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'orvella-runtime-'));
  made.push(dir);
  return dir;
}

// Writes dir/file with the writer and deploys the theme and foldpanes.js beside it, exactly
// as Save does. panels: [title, height, icons, expanded, data]; set: { AL: '0', ... }.
function writeScript(dir, { panels = [newPanel], set = {}, theme = 'Plain', file = 'menu.js' } = {}) {
  const out = path.join(dir, file);
  const args = ['--out', out, '--theme', theme, '--deploy', runtime];
  for (const p of panels) args.push('--panel', ...p);
  for (const [field, value] of Object.entries(set)) args.push('--set', field, value);
  execFileSync(tool, args, { stdio: ['ignore', 'ignore', 'inherit'] });
  fs.copyFileSync(path.join(runtime, 'Preview', 'ico.gif'), path.join(dir, 'ico.gif'));
  return out;
}

// Rewrites a written script file's text, for what the writer never produces.
function editScript(file, change) {
  fs.writeFileSync(file, change(fs.readFileSync(file, 'latin1')), 'latin1');
}

// First in a page's head: collects uncaught errors, failed loads and console errors, which
// WebKit's WebDriver does not report (page.errors() reads them).
const errorCatcher = `<script>(function () {
  var seen = window.pageErrors = [], log = console.error;
  addEventListener('error', function (e) { seen.push(e.message || 'cannot load ' + (e.target.src || e.target.href)); }, true);
  addEventListener('unhandledrejection', function (e) { seen.push('unhandled rejection: ' + e.reason); });
  console.error = function () { seen.push([].join.call(arguments, ' ')); return log.apply(console, arguments); };
})();</script>`;

// A page with a language, a main landmark and a first heading around the include of the
// script file, as an accessible page has them; title: '' leaves the heading out.
function writePage(dir, { head = '', body = '<script src="menu.js"></script>', name = 'index.html', title = 'Test page' } = {}) {
  const html = `<!doctype html>
<html lang="en"><head><meta charset="windows-1252"><title>Test page</title>${errorCatcher}${head}</head>
<body style="margin:0"><main>${title && `<h1 style="margin:0;font-size:24px;line-height:32px">${title}</h1>`}
<div id="host" style="position:relative;height:900px">${body}</div>
<p id="after">Text after the bar, <a href="#after">a link</a> to keep the focus in the page.</p></main></body></html>`;
  const file = path.join(dir, name);
  fs.writeFileSync(file, html, 'latin1');
  return pathToFileURL(file).href;
}

// The drawn bar as plain data: what the tests compare.
function readBar(page, selector = '.zub') {
  return page.$eval(selector, (area) => {
    const px = (v) => Math.round(parseFloat(v) * 100) / 100;
    const box = (el) => { const r = el.getBoundingClientRect(); return { x: r.x, y: r.y, w: r.width, h: r.height }; };
    const cs = getComputedStyle(area);
    return {
      left: px(cs.left), top: px(cs.top), width: px(cs.width), maxHeight: cs.maxHeight, zIndex: cs.zIndex,
      box: box(area), inner: area.clientWidth,
      panels: [...area.querySelectorAll('.zb')].map((b) => {
        const body = document.getElementById(b.getAttribute('aria-controls'));
        // The icon is the top layer of the title bar's background.
        const style = getComputedStyle(b), label = b.querySelector('.zt').getBoundingClientRect();
        const icon = style.backgroundImage.match(/^url\("?([^")]*)"?\)/), at = style.backgroundPosition.split(',')[0].trim().split(/\s+/);
        return {
          title: b.querySelector('.zt').innerHTML,
          body: body.firstElementChild.innerHTML,
          expanded: b.getAttribute('aria-expanded'),
          hidden: body.getAttribute('hidden'),
          height: body.getBoundingClientRect().height,
          contentHeight: body.firstElementChild.offsetHeight,
          button: box(b),
          icon: icon ? { x: px(at[0]), y: px(at[1]), url: icon[1] } : null,
          label: { x: label.x, y: label.y },
        };
      }),
    };
  });
}

// Resolves once the body of the panel whose button has this id has stopped moving; the
// benchmark polls by time (every ms), so that its animation frames are the runtime's alone.
function settled(page, buttonId, every = 0) {
  return page.waitFor((id) => {
    const b = document.getElementById(id), p = document.getElementById(b.getAttribute('aria-controls'));
    return b.getAttribute('aria-expanded') === 'true'
      ? p.style.height === '' && !p.hasAttribute('hidden')
      : p.style.height === '0px' && p.hasAttribute('hidden');
  }, buttonId, every);
}

// The axe-core audit of the whole page, every rule that axe runs by default (best practices
// among them); resolves to the violations as "rule-id: target, ..." lines.
const axeSource = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
async function audit(page) {
  return page.evaluate(async (source) => {
    if (!window.axe) {
      const s = document.createElement('script');
      s.textContent = source;
      document.head.appendChild(s);
      s.remove();
    }
    const result = await window.axe.run(document, { resultTypes: ['violations'] });
    const ran = [...result.passes, ...result.violations, ...result.incomplete, ...result.inapplicable].map((r) => r.id);
    if (!ran.includes('heading-order')) return ['axe did not run its best-practice rules'];
    return result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
  }, axeSource);
}

// Decodes a browser's screenshot (PNG, 8-bit RGB or RGBA, not interlaced) to its pixels.
function readPng(file) {
  const png = fs.readFileSync(file), width = png.readUInt32BE(16), height = png.readUInt32BE(20);
  if (png[24] !== 8 || ![2, 6].includes(png[25]) || png[28]) throw new Error(`${file}: not an 8-bit RGB(A) PNG`);
  const channels = png[25] === 6 ? 4 : 3, stride = width * channels, data = Buffer.alloc(height * stride), parts = [];
  for (let at = 8; at < png.length; at += 12 + png.readUInt32BE(at)) {
    if (png.toString('latin1', at + 4, at + 8) === 'IDAT') parts.push(png.subarray(at + 8, at + 8 + png.readUInt32BE(at)));
  }
  const raw = require('node:zlib').inflateSync(Buffer.concat(parts));
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    for (let x = 0; x < stride; x++) {
      const left = x >= channels ? data[y * stride + x - channels] : 0, up = y ? data[(y - 1) * stride + x] : 0;
      const corner = x >= channels && y ? data[(y - 1) * stride + x - channels] : 0;
      const guess = left + up - corner, [l, u, c] = [left, up, corner].map((v) => Math.abs(guess - v));
      const predicted = [0, left, up, (left + up) >> 1, l <= u && l <= c ? left : u <= c ? up : corner][filter];
      data[y * stride + x] = raw[y * (stride + 1) + 1 + x] + predicted;
    }
  }
  return { width, height, channels, data };
}
// How many pixels of two screenshots differ plainly; WebKit's differ in a few by a shade.
function pixelsDiffering(fileA, fileB) {
  const a = readPng(fileA), b = readPng(fileB);
  if (a.width !== b.width || a.height !== b.height) return Infinity;
  let count = 0;
  for (let i = 0; i < a.width * a.height; i++) {
    for (let k = 0; k < 3; k++) {
      if (Math.abs(a.data[i * a.channels + k] - b.data[i * b.channels + k]) > 48) { count++; break; }
    }
  }
  return count;
}

module.exports = { root, runtime, SEP, newPanel, errorCatcher, tempFolder, writeScript, editScript, writePage, readBar, settled, audit, pixelsDiffering };
