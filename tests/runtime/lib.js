// Shared by the runtime tests and the benchmark: script files written by the designer's own
// writer, pages that include them, and a headless Chromium that opens them.
'use strict';
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const { chromium } = require('playwright-core');

const root = path.resolve(__dirname, '..', '..');
const runtime = path.join(root, 'runtime');
const tool = process.env.ORVELLA_MAKE_SCRIPT || path.join(root, 'build', 'linux', 'tools', 'orvella_make_script');
const SEP = '\x01'; // joins a panel's data lines, as the panel editor does

// The texts Add gives a new panel.
const newPanel = ['New Panel', '200', '1', 'ico.gif', `New Panel<br>${SEP}This is a new Panel`];

const made = [];
process.on('exit', () => made.forEach((dir) => fs.rmSync(dir, { recursive: true, force: true })));
function tempFolder() {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'orvella-runtime-'));
  made.push(dir);
  return dir;
}

// Writes dir/file with the writer and deploys the theme and foldpanes.js beside it, exactly
// as Save does. panels: [title, height, expanded, icons, data]; set: { AL: '0', ... }.
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

// A page with some content around the include of the script file.
function writePage(dir, { head = '', body = '<script src="menu.js"></script>', name = 'index.html' } = {}) {
  const html = `<!doctype html>
<html><head><meta charset="windows-1252"><title>Test page</title>${head}</head>
<body style="margin:0"><p id="before">Text before the bar.</p>
<div id="host" style="position:relative;height:900px">${body}</div>
<p id="after">Text after the bar.</p></body></html>`;
  const file = path.join(dir, name);
  fs.writeFileSync(file, html, 'latin1');
  return pathToFileURL(file).href;
}

function launch() {
  return chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium' });
}

// Opens url in a fresh context; errors collects console errors and uncaught exceptions.
async function open(browser, url, options = {}) {
  const context = await browser.newContext({ viewport: { width: 800, height: 700 }, ...options });
  const page = await context.newPage();
  const errors = [];
  page.on('console', (m) => m.type() === 'error' && errors.push(m.text()));
  page.on('pageerror', (e) => errors.push(e.message));
  await page.goto(url);
  return { page, errors, close: () => context.close() };
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
        const icon = getComputedStyle(b, '::before'), text = document.createRange();
        text.selectNodeContents(b);
        const label = text.getBoundingClientRect();
        return {
          title: b.querySelector('.zt').innerHTML,
          body: body.firstElementChild.innerHTML,
          expanded: b.getAttribute('aria-expanded'),
          hidden: body.getAttribute('hidden'),
          height: body.getBoundingClientRect().height,
          contentHeight: body.firstElementChild.offsetHeight,
          button: box(b),
          icon: icon.content.startsWith('url(') ? { x: px(icon.left), y: px(icon.top), url: icon.content } : null,
          label: { x: Math.round(label.x), y: Math.round(label.y) },
        };
      }),
    };
  });
}

// Resolves once the body of the panel whose button has this id has stopped moving; the
// benchmark polls by time, so that its animation frames are the runtime's alone.
function settled(page, buttonId, polling = 'raf') {
  return page.waitForFunction((id) => {
    const b = document.getElementById(id), p = document.getElementById(b.getAttribute('aria-controls'));
    return b.getAttribute('aria-expanded') === 'true'
      ? p.style.height === '' && !p.hasAttribute('hidden')
      : p.style.height === '0px' && p.hasAttribute('hidden');
  }, buttonId, { polling });
}

module.exports = { root, runtime, SEP, newPanel, tempFolder, writeScript, editScript, writePage, launch, open, readBar, settled };
