// What the visitor does with the bar: toggling by mouse and keys, the animation's course,
// focus, find in page, printing, and what assistive technology is told.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { tempFolder, writeScript, writePage, launch, open, settled } = require('./lib');

let browser;
test.before(async () => { browser = await launch(); });
test.after(() => browser.close());

const panels = [
  ['Open', '120', '1', 'ico.gif', 'First body with <a href="#a">a link</a>'],
  ['Closed', '90', '0', 'ico.gif', 'Second body, <a href="#b">hidden link</a>, findme'],
  ['Fitted', 'auto', '0', '', 'one<br>two<br>three<br><a href="#c">last link</a>'],
];

async function bar({ set = {}, options = {}, hash = '' } = {}) {
  const dir = tempFolder();
  writeScript(dir, { panels, set: { TFS: '', TFE: '', PFS: '', PFE: '', ...set } });
  return open(browser, writePage(dir) + hash, options);
}

// Records the body's height at every frame until the panel has settled.
function record(page, id) {
  return page.evaluate((id) => {
    const p = document.getElementById(document.getElementById(id).getAttribute('aria-controls'));
    const heights = window.heights = [];
    (function sample() {
      heights.push(p.getBoundingClientRect().height);
      if (window.heights === heights) requestAnimationFrame(sample);
    })();
  }, id);
}
async function heights(page, id) {
  await settled(page, id);
  return page.evaluate(() => { const seen = window.heights; window.heights = null; return seen; });
}
const state = (page, id) => page.evaluate((id) => {
  const b = document.getElementById(id), p = document.getElementById(b.getAttribute('aria-controls'));
  return [b.getAttribute('aria-expanded'), p.getAttribute('hidden'), p.getBoundingClientRect().height];
}, id);
const contentHeight = (page, id) => page.$eval(`#${id}`, (b) => document.getElementById(b.getAttribute('aria-controls')).firstElementChild.offsetHeight);

test('click, Enter and Space toggle the panel and animate it to its height', async () => {
  const { page, errors, close } = await bar();
  const triggers = {
    click: (id) => page.click(`#${id}`),
    Enter: (id) => page.focus(`#${id}`).then(() => page.keyboard.press('Enter')),
    Space: (id) => page.focus(`#${id}`).then(() => page.keyboard.press('Space')),
  };
  for (const [how, trigger] of Object.entries(triggers)) {
    for (const id of ['zub1t1', 'zub1t2']) {
      const full = id === 'zub1t1' ? 90 : await contentHeight(page, id);
      for (const [expanded, from, to] of [['true', 0, full], ['false', full, 0]]) {
        await record(page, id);
        await trigger(id);
        assert.equal(await page.getAttribute(`#${id}`, 'aria-expanded'), expanded, `${how} ${id}`);
        const seen = await heights(page, id);
        const moving = seen.filter((h) => h > 0 && h < full);
        assert.ok(moving.length > 0, `${how} ${id}: no frame between ${from} and ${to}: ${seen}`);
        assert.ok(seen.every((h, i) => i === 0 || (from < to ? h >= seen[i - 1] : h <= seen[i - 1])), `${how} ${id}: ${seen}`);
        assert.deepEqual(await state(page, id), expanded === 'true' ? ['true', null, to] : ['false', 'until-found', 0]);
      }
    }
  }
  assert.deepEqual(await state(page, 'zub1t0'), ['true', null, 120], 'other panels are left alone');
  assert.deepEqual(errors, []);
  await close();
});

test('with reduced motion the panel jumps to its end at once', async () => {
  const { page, errors, close } = await bar({ options: { reducedMotion: 'reduce' } });
  const clickAndLook = (id) => page.evaluate((id) => {
    const b = document.getElementById(id), p = document.getElementById(b.getAttribute('aria-controls'));
    b.click();
    return [b.getAttribute('aria-expanded'), p.getAttribute('hidden'), p.getBoundingClientRect().height];
  }, id);
  assert.deepEqual(await clickAndLook('zub1t1'), ['true', null, 90]);
  assert.deepEqual(await clickAndLook('zub1t1'), ['false', 'until-found', 0]);
  assert.deepEqual(await clickAndLook('zub1t0'), ['false', 'until-found', 0]);
  assert.deepEqual(errors, []);
  await close();
});

test('any movement speed ends the movement', async () => {
  for (const speed of ['0', '-5', 'null', "'fast'", '1e9']) {
    const { page, errors, close } = await bar({ set: { MS: speed } });
    await page.click('#zub1t1');
    await settled(page, 'zub1t1');
    assert.deepEqual(await state(page, 'zub1t1'), ['true', null, 90], `speed ${speed}`);
    assert.deepEqual(errors, [], `speed ${speed}`);
    await close();
  }
});

test('a second click while moving turns the panel back', async () => {
  const { page, errors, close } = await bar({ set: { MS: '1' } });
  await page.click('#zub1t1');
  await page.waitForFunction(() => { const h = document.getElementById('zub1p1').getBoundingClientRect().height; return h > 0 && h < 90; });
  await page.click('#zub1t1');
  await settled(page, 'zub1t1');
  assert.deepEqual(await state(page, 'zub1t1'), ['false', 'until-found', 0]);
  assert.deepEqual(errors, []);
  await close();
});

test('focus follows the panels', async () => {
  const { page, errors, close } = await bar({ options: { reducedMotion: 'reduce' } });
  const focused = () => page.evaluate(() => document.activeElement.id || document.activeElement.textContent);
  // Tab visits open bodies and skips closed ones.
  await page.focus('#zub1t0');
  const order = [];
  for (let i = 0; i < 4; i++) {
    await page.keyboard.press('Tab');
    order.push(await focused());
  }
  assert.deepEqual(order.slice(0, 3), ['a link', 'zub1t1', 'zub1t2']);
  assert.ok(!['hidden link', 'last link'].includes(order[3]), order[3]);
  // The focus is visible, in the theme's colour.
  await page.focus('#zub1t1');
  await page.keyboard.press('Shift+Tab');
  await page.keyboard.press('Tab');
  assert.deepEqual(await page.$eval('#zub1t1', (b) => [getComputedStyle(b).outlineStyle, getComputedStyle(b).outlineColor]), ['solid', 'rgb(26, 115, 232)']);
  // A panel that closes around the focus hands it to its title.
  await page.focus('#zub1p0 a');
  await page.$eval('#zub1t0', (b) => b.click());
  assert.equal(await focused(), 'zub1t0');
  assert.deepEqual(errors, []);
  await close();
});

test('find in page opens the panel that holds the text', async () => {
  const { page, errors, close } = await bar({ hash: '#:~:text=findme' });
  await page.waitForFunction(() => document.getElementById('zub1t1').getAttribute('aria-expanded') === 'true');
  await settled(page, 'zub1t1');
  assert.deepEqual(await state(page, 'zub1t1'), ['true', null, 90]);
  assert.deepEqual(await state(page, 'zub1t2'), ['false', 'until-found', 0], 'only that panel');
  assert.deepEqual(errors, []);
  await close();
});

test('in a long bar a toggle moves only the panels below, and find in page reaches the last panel', async () => {
  // Forty panels, fewer drawn while the page is parsed than after it, open and shut in turn.
  const many = Array.from({ length: 40 }, (_, i) => [`P${i}`, '30', i % 2 ? '0' : '1', '', i === 39 ? 'far needle' : `body ${i}`]);
  const dir = tempFolder();
  writeScript(dir, { panels: many, set: { AH: '200', TFS: '', TFE: '', PFS: '', PFE: '' } });
  const look = (page) => page.$$eval('.zb', (bs) => bs.map((b) => {
    const p = document.getElementById(b.getAttribute('aria-controls'));
    return { expanded: b.getAttribute('aria-expanded'), top: b.getBoundingClientRect().top, height: p.getBoundingClientRect().height, bottom: p.getBoundingClientRect().bottom };
  }));
  const { page, errors, close } = await open(browser, writePage(dir), { reducedMotion: 'reduce' });
  let before = await look(page);
  for (const i of [0, 6, 7, 20, 39, 7]) {
    await page.$eval(`#zub1t${i}`, (b) => b.click());
    const after = await look(page);
    const shift = after[i].height - before[i].height;
    assert.equal(shift, before[i].expanded === 'true' ? -30 : 30, `panel ${i}`);
    after.forEach((q, k) => {
      assert.equal(q.expanded, k === i ? (before[k].expanded === 'true' ? 'false' : 'true') : before[k].expanded, `panel ${k} after ${i}`);
      if (k !== i) assert.equal(q.height, before[k].height, `panel ${k} after ${i}`);
      assert.equal(q.top, before[k].top + (k > i ? shift : 0), `panel ${k} after ${i}`);
      if (k) assert.equal(q.top - after[k - 1].bottom, 15, `gap above panel ${k}`);
    });
    before = after;
  }
  assert.deepEqual(errors, []);
  await close();

  const found = await open(browser, `${writePage(dir)}#:~:text=needle`);
  await found.page.waitForFunction(() => document.getElementById('zub1t39').getAttribute('aria-expanded') === 'true');
  await settled(found.page, 'zub1t39');
  const states = (await look(found.page)).map((q) => q.expanded);
  assert.deepEqual(states, many.map((_, k) => (k % 2 && k !== 39 ? 'false' : 'true')));
  assert.deepEqual(found.errors, []);
  await found.close();
});

test('printing shows every panel expanded', async () => {
  const { page, errors, close } = await bar();
  await page.emulateMedia({ media: 'print' });
  const bodies = await page.$$eval('.zp', (ps) => ps.map((p) => {
    const c = p.firstElementChild, h = p.getBoundingClientRect().height;
    return [h > 0 && h === c.offsetHeight, c.scrollHeight <= c.clientHeight, getComputedStyle(p).contentVisibility];
  }));
  assert.deepEqual(bodies, Array(3).fill([true, true, 'visible']));
  assert.deepEqual(errors, []);
  await close();
});

test('assistive technology sees headings with buttons that control labelled bodies', async () => {
  const { page, errors, close } = await bar();
  assert.equal(await page.locator('.zub').ariaSnapshot(), [
    '- heading "Open" [level=3]:',
    '  - button "Open" [expanded]',
    '- region "Open":',
    '  - text: First body with',
    '  - link "a link":',
    '    - /url: "#a"',
    '- heading "Closed" [level=3]:',
    '  - button "Closed"',
    '- heading "Fitted" [level=3]:',
    '  - button "Fitted"',
  ].join('\n'));
  const wiring = await page.$$eval('.zh', (hs) => hs.map((h) => {
    const b = h.firstElementChild, p = document.getElementById(b.getAttribute('aria-controls'));
    return h.childNodes.length === 1 && b.tagName === 'BUTTON' && b.type === 'button' && p.getAttribute('aria-labelledby') === b.id;
  }));
  assert.deepEqual(wiring, [true, true, true]);
  assert.deepEqual(errors, []);
  await close();
});
