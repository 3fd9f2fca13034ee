// The shipped files: the themes and their generator, the preview page, the install layout,
// and the accessibility audit of every theme. Saves one screenshot per theme and engine and
// one of the preview in artifacts/ for a person to look at.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const { root, runtime, SEP, newPanel, errorCatcher, tempFolder, writeScript, editScript, writePage, settled, audit } = require('./lib');
const { eachEngine } = require('./engines');

const assets = ['cb.gif', 'eb.gif', 'panel.gif', 'pc.gif', 'pcl.gif', 'pcr.gif', 'thm.js'];
const themes = fs.readdirSync(path.join(runtime, 'Themes')).sort();
const artifacts = path.join(__dirname, 'artifacts');

fs.mkdirSync(artifacts, { recursive: true });

const samplePanels = [
  ['Opening hours', '96', 'ico.gif', '1', 'Tuesday to Friday 7:00 - 17:00<br>Saturday 8:00 - 16:00<br>Sunday 8:00 - 13:00'],
  ['Our bread', '80', 'ico.gif', '0', 'Sourdough, rye and spelt.'],
  ['<i>Seasonal</i> pastries', '', 'ico.gif', '1', `Plum cake in autumn,${SEP}<a href="#">see the menu</a>.`],
  ['Contact', '60', 'ico.gif', '0', 'hello@example.com'],
];

test('the committed images are what the generator draws', { skip: !hasPython() && 'no python3' }, () => {
  const out = tempFolder();
  execFileSync('python3', [path.join(root, 'tools', 'make_theme_images.py'), out]);
  for (const theme of themes) {
    for (const f of assets) {
      assert.ok(fs.readFileSync(path.join(out, 'Themes', theme, f)).equals(fs.readFileSync(path.join(runtime, 'Themes', theme, f))), `${theme}/${f}`);
    }
  }
  assert.ok(fs.readFileSync(path.join(out, 'Preview', 'ico.gif')).equals(fs.readFileSync(path.join(runtime, 'Preview', 'ico.gif'))));
});

test('the shipped runtime is the packed source', { skip: !hasPython() && 'no python3' }, () => {
  const out = path.join(tempFolder(), 'foldpanes.js');
  execFileSync('python3', [path.join(root, 'tools', 'pack_runtime.py'), out]);
  assert.equal(fs.readFileSync(path.join(runtime, 'foldpanes.js'), 'latin1'), fs.readFileSync(out, 'latin1'));
});

function hasPython() {
  try { execFileSync('python3', ['--version']); return true; } catch { return false; }
}

test('installing puts the runtime where the designer looks for it', { skip: !fs.existsSync(path.join(root, 'build', 'linux', 'CMakeCache.txt')) && 'not configured' }, () => {
  const prefix = tempFolder();
  execFileSync('cmake', ['--install', path.join(root, 'build', 'linux'), '--prefix', prefix], { stdio: 'ignore' });
  const expected = ['foldpanes.js', 'Preview/prv.html', 'Preview/ico.gif', ...themes.flatMap((t) => assets.map((a) => `Themes/${t}/${a}`))];
  for (const f of expected) assert.ok(fs.existsSync(path.join(prefix, f)), f);
  for (const t of themes) assert.equal(fs.readdirSync(path.join(prefix, 'Themes', t)).length, 7, t);
});

eachEngine((engine, test) => {
  test('each theme is the seven assets, and its images fit its variables', async () => {
    assert.ok(themes.length >= 3, themes.join());
    const page = await engine.open('about:blank');
    for (const theme of themes) {
      const folder = path.join(runtime, 'Themes', theme);
      assert.deepEqual(fs.readdirSync(folder).sort(), [...assets].sort(), theme);
      await page.goto(pathToFileURL(path.join(folder, 'thm.js')).href.replace(/thm\.js$/, ''));
      const sizes = await page.evaluate(async (files) => {
        const load = (src) => new Promise((resolve) => {
          const im = new Image();
          im.onload = () => resolve([im.naturalWidth, im.naturalHeight]);
          im.onerror = () => resolve(null);
          im.src = src;
        });
        const out = {};
        for (const f of files) out[f] = await load(f);
        const s = document.createElement('script');
        await new Promise((resolve) => { s.onload = resolve; s.src = 'thm.js'; document.head.append(s); });
        out.theme = window.ZUB_Theme;
        return out;
      }, assets.slice(0, 6));
      const t = sizes.theme;
      assert.ok(t, `${theme}: thm.js sets ZUB_Theme`);
      for (const f of ['pc.gif', 'pcl.gif', 'pcr.gif']) assert.equal(sizes[f]?.[1], t.titleHeight, `${theme}/${f}`);
      for (const f of ['cb.gif', 'eb.gif']) assert.deepEqual(sizes[f], [t.buttonSize, t.buttonSize], `${theme}/${f}`);
      assert.ok(sizes['panel.gif'], `${theme}/panel.gif decodes`);
      for (const key of ['titleColor', 'bodyColor', 'bodyBackground', 'borderColor', 'focusColor']) assert.match(t[key], /^#[0-9a-f]{6}$/, `${theme}.${key}`);
    }
    await page.close();
  });

  test('every theme draws the bar, with the button images following the state', async () => {
    for (const theme of themes) {
      const dir = tempFolder();
      writeScript(dir, { panels: samplePanels, theme, set: { AL: '20', AT: '10' } });
      const page = await engine.open(writePage(dir), { reducedMotion: true });
      const knob = () => page.$$eval('.zb', (bs) => bs.map((b) => getComputedStyle(b).backgroundImage.match(/(cb|eb)\.gif/)[1]));
      assert.deepEqual(await knob(), ['cb', 'eb', 'cb', 'eb'], theme);
      await page.click('#zub1t1');
      assert.deepEqual(await knob(), ['cb', 'cb', 'cb', 'eb'], theme);
      await page.focus('#zub1t3');
      await page.press('Shift+Tab');
      await page.press('Tab'); // a keyboard focus, so that its ring shows
      await page.screenshot(path.join(artifacts, `theme-${theme}-${engine.name}.png`), '.zub');
      assert.deepEqual(await page.errors(), [], theme);
      await page.close();
    }
  });

  test('the preview page shows what the designer saves into the Preview folder', async () => {
    const program = tempFolder();
    fs.cpSync(runtime, program, { recursive: true });
    const preview = path.join(program, 'Preview');
    fs.rmSync(path.join(preview, 'foldpanes.js'), { force: true });
    const file = writeScript(preview, { panels: [newPanel, ['Caf\u00e9 menu', '70', 'ico.gif', '0', 'Cr\u00e8me br\u00fbl\u00e9e']], file: 'prv.js', theme: 'Blue' });
    // The designer's texts are Windows code page bytes; the tool takes them as UTF-8 arguments.
    editScript(file, (text) => Buffer.from(text, 'latin1').toString('utf8'));
    assert.ok(fs.existsSync(path.join(preview, 'foldpanes.js')) && fs.existsSync(path.join(preview, 'zubtheme', 'thm.js')));
    editScript(path.join(preview, 'prv.html'), (html) => html.replace('<head>', `<head>${errorCatcher}`));
    const page = await engine.open(pathToFileURL(path.join(preview, 'prv.html')).href, { viewport: { width: 1000, height: 620 } });
    const seen = await page.evaluate(() => ({
      parent: document.querySelector('.zub').parentNode.id,
      titles: [...document.querySelectorAll('.zb')].map((t) => t.textContent),
      around: !!document.querySelector('main h2') && !!document.querySelector('footer'),
      clear: document.querySelector('main').getBoundingClientRect().left >= document.querySelector('.zub').getBoundingClientRect().right,
    }));
    assert.deepEqual(seen, { parent: 'sidebar', titles: ['New Panel', 'Caf\u00e9 menu'], around: true, clear: true });
    await page.click('#zub1t1');
    await settled(page, 'zub1t1');
    await page.screenshot(path.join(artifacts, `preview-${engine.name}.png`));
    assert.deepEqual(await page.errors(), []);
    assert.deepEqual(await audit(page), [], 'the preview page passes the audit');
    await page.close();
  });

  test('every theme passes the accessibility audit, its panels expanded and collapsed', async () => {
    // Seven panels or more are groups rather than regions.
    const many = [...samplePanels, ...samplePanels].map(([title, ...rest], i) => [`${title} ${i}`, ...rest]);
    for (const [theme, panels] of [...themes.map((t) => [t, samplePanels]), ['Plain', many]]) {
      const dir = tempFolder();
      writeScript(dir, { panels, theme });
      const page = await engine.open(writePage(dir), { reducedMotion: true });
      assert.deepEqual(await audit(page), [], `${theme}, ${panels.length} panels as they start`);
      await page.$$eval('.zb', (bs) => bs.forEach((b) => b.click()));
      assert.deepEqual(await audit(page), [], `${theme}, ${panels.length} panels each turned`);
      assert.deepEqual(await page.errors(), [], theme);
      await page.close();
    }
  });
});
