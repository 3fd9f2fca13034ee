// What the visitor does with the bar: toggling by mouse and keys, the animation's course,
// focus, find in page, printing, and what assistive technology is told.
'use strict';
const assert = require('node:assert/strict');
const { tempFolder, writeScript, editScript, writePage, settled } = require('./lib');
const { eachEngine, printMedia, Skip } = require('./engines');

const panels = [
  ['Open', '120', 'ico.gif', '1', 'First body with <a href="#a">a link</a>'],
  ['Closed', '90', 'ico.gif', '0', 'Second body, <a href="#b">hidden link</a>, findme'],
  ['Fitted', 'auto', '', '0', 'one<br>two<br>three<br><a href="#c">last link</a>'],
];

eachEngine((engine, test) => {
  async function bar({ set = {}, options = {}, hash = '', page = {} } = {}) {
    const dir = tempFolder();
    writeScript(dir, { panels, set: { TFS: '', TFE: '', PFS: '', PFE: '', ...set } });
    return engine.open(writePage(dir, page) + hash, options);
  }
  // Text fragments are what find in page does, as far as a driver can ask for it.
  async function needTextFragments(page) {
    if (!(await page.evaluate(() => 'fragmentDirective' in document))) throw new Skip(`${engine.name} has no text fragments`);
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
  const hiddenState = (until) => ['false', until ? 'until-found' : '', 0];

  test('click, Enter and Space toggle the panel and animate it to its height', async () => {
    // Slow enough that a frame the engine is late with cannot swallow the movement.
    const page = await bar({ set: { MS: '5' } });
    await page.painted();
    const triggers = {
      click: (id) => page.click(`#${id}`),
      Enter: (id) => page.focus(`#${id}`).then(() => page.press('Enter')),
      Space: (id) => page.focus(`#${id}`).then(() => page.press('Space')),
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
          assert.deepEqual(await state(page, id), expanded === 'true' ? ['true', null, to] : hiddenState(true));
        }
      }
    }
    assert.deepEqual(await state(page, 'zub1t0'), ['true', null, 120], 'other panels are left alone');
    assert.deepEqual(await page.errors(), []);
    await page.close();
  });

  test('with reduced motion the panel jumps to its end at once, hidden until found or wholly', async () => {
    // An engine without hidden="until-found" must keep a collapsed body hidden all the same.
    const unknown = '<script>delete HTMLElement.prototype.onbeforematch</script>';
    for (const until of [true, false]) {
      const page = await bar({ options: { reducedMotion: true }, page: { head: until ? '' : unknown } });
      const clickAndLook = (id) => page.evaluate((id) => {
        const b = document.getElementById(id), p = document.getElementById(b.getAttribute('aria-controls'));
        b.click();
        return [b.getAttribute('aria-expanded'), p.getAttribute('hidden'), p.getBoundingClientRect().height];
      }, id);
      assert.deepEqual(await state(page, 'zub1t2'), hiddenState(until), `until-found ${until}`);
      assert.deepEqual(await clickAndLook('zub1t1'), ['true', null, 90]);
      assert.deepEqual(await clickAndLook('zub1t1'), hiddenState(until));
      assert.deepEqual(await clickAndLook('zub1t0'), hiddenState(until));
      assert.equal(await page.$eval('#zub1p0 .zc', (c) => c.checkVisibility()), false, `until-found ${until}`);
      assert.deepEqual(await page.errors(), []);
      await page.close();
    }
  });

  test('any movement speed ends the movement', async () => {
    for (const speed of ['0', '-5', 'null', "'fast'", '1e9']) {
      const page = await bar({ set: { MS: speed } });
      await page.click('#zub1t1');
      await settled(page, 'zub1t1');
      assert.deepEqual(await state(page, 'zub1t1'), ['true', null, 90], `speed ${speed}`);
      assert.deepEqual(await page.errors(), [], `speed ${speed}`);
      await page.close();
    }
  });

  test('a second click while moving turns the panel back', async () => {
    const page = await bar({ set: { MS: '1' } });
    await page.click('#zub1t1');
    await page.waitFor(() => { const h = document.getElementById('zub1p1').getBoundingClientRect().height; return h > 0 && h < 90; });
    await page.click('#zub1t1');
    await settled(page, 'zub1t1');
    assert.deepEqual(await state(page, 'zub1t1'), hiddenState(true));
    assert.deepEqual(await page.errors(), []);
    await page.close();
  });

  test('focus follows the panels', async () => {
    const page = await bar({ options: { reducedMotion: true } });
    const focused = () => page.evaluate(() => document.activeElement.id || document.activeElement.parentNode.id || document.activeElement.textContent);
    // Tab visits open bodies and skips closed ones.
    await page.focus('#zub1t0');
    const order = [];
    for (let i = 0; i < 4; i++) {
      await page.press('Tab');
      order.push(await focused());
    }
    assert.deepEqual(order, ['a link', 'zub1t1', 'zub1t2', 'after']);
    // The focus is visible, in the theme's colour.
    await page.focus('#zub1t1');
    await page.press('Shift+Tab');
    await page.press('Tab');
    assert.deepEqual(await page.$eval('#zub1t1', (b) => [getComputedStyle(b).outlineStyle, getComputedStyle(b).outlineColor]), ['solid', 'rgb(26, 115, 232)']);
    // A panel that closes around the focus hands it to its title.
    await page.focus('#zub1p0 a');
    await page.$eval('#zub1t0', (b) => b.click());
    assert.equal(await focused(), 'zub1t0');
    assert.deepEqual(await page.errors(), []);
    await page.close();
  });

  test('find in page opens the panel that holds the text', async () => {
    const page = await bar({ hash: '#:~:text=findme' });
    await needTextFragments(page);
    await page.waitFor(() => document.getElementById('zub1t1').getAttribute('aria-expanded') === 'true');
    await settled(page, 'zub1t1');
    assert.deepEqual(await state(page, 'zub1t1'), ['true', null, 90]);
    assert.deepEqual(await state(page, 'zub1t2'), hiddenState(true), 'only that panel');
    assert.deepEqual(await page.errors(), []);
    await page.close();
  });

  test('in a long bar a toggle moves only the panels below, and find in page reaches the last panel', async () => {
    // Forty panels, fewer drawn while the page is parsed than after it, open and shut in turn.
    const many = Array.from({ length: 40 }, (_, i) => [`P${i}`, '30', '', i % 2 ? '0' : '1', i === 39 ? 'far needle' : `body ${i}`]);
    const dir = tempFolder();
    writeScript(dir, { panels: many, set: { AH: '200', TFS: '', TFE: '', PFS: '', PFE: '' } });
    const look = (page) => page.$$eval('.zb', (bs) => bs.map((b) => {
      const p = document.getElementById(b.getAttribute('aria-controls'));
      return { expanded: b.getAttribute('aria-expanded'), top: b.getBoundingClientRect().top, height: p.getBoundingClientRect().height, bottom: p.getBoundingClientRect().bottom };
    }));
    const page = await engine.open(writePage(dir), { reducedMotion: true });
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
    assert.deepEqual(await page.errors(), []);
    await page.close();

    const found = await engine.open(`${writePage(dir)}#:~:text=needle`);
    await needTextFragments(found);
    await found.waitFor(() => document.getElementById('zub1t39').getAttribute('aria-expanded') === 'true');
    await settled(found, 'zub1t39');
    const states = (await look(found)).map((q) => q.expanded);
    assert.deepEqual(states, many.map((_, k) => (k % 2 && k !== 39 ? 'false' : 'true')));
    assert.deepEqual(await found.errors(), []);
    await found.close();
  });

  test('printing shows every panel expanded', async () => {
    const page = await bar();
    await printMedia(page);
    const bodies = await page.$$eval('.zp', (ps) => ps.map((p) => {
      const c = p.firstElementChild, h = p.getBoundingClientRect().height;
      return [h > 0 && h === c.offsetHeight, c.scrollHeight <= c.clientHeight, getComputedStyle(p).contentVisibility];
    }));
    assert.deepEqual(bodies, Array(3).fill([true, true, 'visible']));
    assert.deepEqual(await page.errors(), []);
    await page.close();
  });

  test('assistive technology sees headings in the page\'s outline with buttons that control labelled bodies', async () => {
    const page = await bar();
    // What a screen reader announces, read from the roles, names and states.
    const outline = await page.$eval('.zub', (area) => [...area.querySelectorAll('h1,h2,h3,h4,h5,h6,button,[role=region],[role=group],a')]
      .filter((el) => el.checkVisibility() && !el.closest('[aria-hidden=true]')).map((el) => {
        const named = el.getAttribute('aria-labelledby');
        const name = (named ? document.getElementById(named) : el).textContent;
        if (/^H\d$/.test(el.tagName)) return `heading "${name}" [level=${el.tagName[1]}]`;
        if (el.tagName === 'BUTTON') return `button "${name}"${el.getAttribute('aria-expanded') === 'true' ? ' [expanded]' : ''}`;
        return `${el.getAttribute('role') || 'link'} "${name}"`;
      }));
    assert.deepEqual(outline, ['heading "Open" [level=2]', 'button "Open" [expanded]', 'region "Open"', 'link "a link"',
      'heading "Closed" [level=2]', 'button "Closed"', 'heading "Fitted" [level=2]', 'button "Fitted"']);
    const wiring = await page.$$eval('.zh', (hs) => hs.map((h) => {
      const b = h.firstElementChild, p = document.getElementById(b.getAttribute('aria-controls'));
      return h.childNodes.length === 1 && b.tagName === 'BUTTON' && b.type === 'button' && p.getAttribute('aria-labelledby') === b.id;
    }));
    assert.deepEqual(wiring, [true, true, true]);
    assert.deepEqual(await page.errors(), []);
    await page.close();

    // The titles stand one level below the nearest heading before the bar, other bars' titles
    // aside, unless the page sets the level itself.
    const script = '<script src="menu.js"></script>';
    const cases = [
      { name: 'no heading', page: { title: '' }, levels: [2] },
      { name: 'an h3 before', page: { body: `<h3>Part</h3>${script}` }, levels: [4] },
      { name: 'an h6 before', page: { body: `<h6>Small</h6>${script}` }, levels: [6] },
      { name: 'a heading after', page: { title: '', body: `${script}<h4>Later</h4>` }, levels: [2] },
      { name: 'two bars', page: { body: `${script}<script src="two.js"></script>` }, levels: [2, 2] },
      { name: 'set by the page', page: {}, level: '5', levels: [5] },
      { name: 'set out of range', page: { body: `<h3>Part</h3>${script}` }, level: '9', levels: [6] },
      { name: 'set to nonsense', page: { body: `<h3>Part</h3>${script}` }, level: "'x'", levels: [4] },
    ];
    for (const c of cases) {
      const dir = tempFolder();
      const file = writeScript(dir, { panels: panels.slice(0, 1) });
      writeScript(dir, { panels: panels.slice(0, 1), file: 'two.js' });
      if (c.level) editScript(file, (text) => `var ZUB_HeadingLevel=${c.level};\r\n${text}`);
      const p = await engine.open(writePage(dir, c.page));
      assert.deepEqual(await p.$$eval('.zh', (hs) => hs.map((h) => Number(h.tagName[1]))), c.levels, c.name);
      await p.close();
    }
  });
});
