// What the page shows right after loading: panels, their HTML, places and start heights,
// for files as the designer writes them and for values it writes unchanged.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const { pathToFileURL } = require('node:url');
const { SEP, newPanel, tempFolder, writeScript, editScript, writePage, readBar, pixelsDiffering } = require('./lib');
const { eachEngine } = require('./engines');

eachEngine((engine, test) => {
  async function draw({ script = {}, edit, page: options = {}, allow = [] }) {
    const dir = tempFolder();
    const file = writeScript(dir, script);
    if (edit) editScript(file, edit);
    const page = await engine.open(writePage(dir, options));
    const bar = await readBar(page);
    const errors = (await page.errors()).filter((e) => !allow.some((a) => e.includes(a)));
    return { page, bar, errors, dir, close: () => page.close() };
  }

  const TFS = '<font face="Tahoma" size="2"><b>', TFE = '</b></font>';
  const PFS = '<font face="Tahoma" size="2">', PFE = '</font>';

  test('the worked example is placed by its settings', async () => {
    const { bar, errors, close } = await draw({});
    assert.deepEqual(errors, []);
    assert.deepEqual([bar.left, bar.top, bar.width, bar.maxHeight, bar.zIndex], [0, 0, 250, '1000px', '0']);
    assert.equal(bar.panels.length, 1);
    const [p] = bar.panels;
    assert.equal(p.title, `${TFS}New Panel${TFE}`);
    assert.equal(p.body, `${PFS}New Panel<br>\nThis is a new Panel${PFE}`);
    assert.deepEqual([p.expanded, p.hidden, p.height], ['true', null, 200]);
    // Left and right spaces, top space, icon and title offsets, the theme's title height.
    assert.deepEqual([p.button.x - bar.box.x, p.button.y - bar.box.y, p.button.w, p.button.h], [10, 15, 230, 24]);
    assert.deepEqual([p.icon.x, p.icon.y], [6, 6]);
    assert.match(p.icon.url, /\/ico\.gif$/);
    assert.deepEqual([p.label.x - p.button.x, p.label.y - p.button.y], [22, 5]);
    await close();
  });

  test('settings move and size the bar', async () => {
    const set = { AL: '30', AT: '40', AW: '300', AH: '260', ZI: '7', LS: '4', RS: '16', TS: '8', IL: '2', IT: '3', TL: '40', TT: '1',
      PTL: '12', PTT: '9', TFS: '<span class=t>', TFE: '</span>', PFS: '<em>', PFE: '</em>' };
    const panels = [['One', '100', 'ico.gif', '1', 'a'], ['Two', '100', 'ico.gif', '1', 'b'], ['Three', '100', '', '0', 'c']];
    const { bar, errors, page, close } = await draw({ script: { panels, set } });
    assert.deepEqual(errors, []);
    assert.deepEqual([bar.left, bar.top, bar.width, bar.maxHeight, bar.zIndex], [30, 40, 300, '260px', '7']);
    const [a, b, c] = bar.panels;
    assert.deepEqual([a.button.x - bar.box.x, a.button.w], [4, bar.inner - 4 - 16]);
    assert.equal(b.button.y - (a.button.y + 24 + 100), 8);
    assert.deepEqual([a.icon.x, a.icon.y, a.label.x - a.button.x, a.label.y - a.button.y], [2, 3, 40, 1]);
    assert.equal(c.icon, null, 'no icon text, no image');
    assert.deepEqual(bar.panels.map((p) => [p.title, p.body]), [['<span class="t">One</span>', '<em>a</em>'],
      ['<span class="t">Two</span>', '<em>b</em>'], ['<span class="t">Three</span>', '<em>c</em>']]);
    const padding = await page.$eval('.zc', (c) => getComputedStyle(c).padding);
    assert.equal(padding, '9px 12px');
    // Three panels are taller than 260 px: the area scrolls rather than grows.
    assert.equal(bar.box.h, 260);
    await close();
  });

  test('titles and bodies are the author\'s HTML, escapes included', async () => {
    const cases = [
      // [title, data lines, expected title HTML, expected body HTML]
      ["It's here", ['a\\b'], "It's here", 'a\\b'],
      ['<i>x</i> & "y"', ['<b>bold</b>', '', 'third'], '<i>x</i> &amp; "y"', '<b>bold</b>\n\nthird'],
      ['back\\\'slash', ['C:\\new\\table', 'end\\'], "back\\'slash", 'C:\\new\\table\nend\\'],
      ['<a href="#t">link</a>', ['<ul><li>one<li>two</ul>'], '<a href="#t">link</a>', '<ul><li>one</li><li>two</li></ul>'],
      ['', [''], '', ''],
      ['Tom > Jerry', ['plain text'], 'Tom &gt; Jerry', 'plain text'],
      // Tags left open stay in their own panel, even those that swallow what follows them.
      ['<b>open', ['<textarea>swallows'], '<b>open</b>', '<textarea>swallows</textarea>'],
      ['after', ['<!-- unclosed'], 'after', '<!-- unclosed-->'],
      ['last', ['<div>x'], 'last', '<div>x</div>'],
    ];
    const panels = cases.map(([title, lines]) => [title, '80', '', '1', lines.join(SEP)]);
    const { bar, errors, close } = await draw({ script: { panels, set: { TFS: '', TFE: '', PFS: '', PFE: '' } } });
    assert.deepEqual(errors, []);
    assert.deepEqual(bar.panels.map((p) => [p.title, p.body]), cases.map((c) => [c[2], c[3]]));
    await close();
  });

  test('start states and heights', async () => {
    const panels = [];
    const body = (i) => (i % 2 ? `Body <i>${i}</i>` : `Body ${i}`);
    for (let i = 0; i < 60; i++) panels.push([`Panel ${i}`, String(20 + i), '', i % 3 === 0 ? '1' : i % 3 === 1 ? '0' : 'yes', body(i)]);
    const { bar, errors, page, close } = await draw({ script: { panels } });
    assert.deepEqual(errors, []);
    assert.equal(bar.panels.length, 60);
    bar.panels.forEach((p, i) => {
      const open = i % 3 === 0;
      assert.deepEqual([p.title, p.body], [`${TFS}Panel ${i}${TFE}`, `${PFS}${body(i)}${PFE}`]);
      assert.deepEqual([p.expanded, p.hidden, p.height], open ? ['true', null, 20 + i] : ['false', 'until-found', 0], `panel ${i}`);
    });
    // Sixty regions would swamp the landmarks; they stay named groups.
    assert.deepEqual(await page.$eval('.zp', (p) => [p.getAttribute('role'), p.getAttribute('aria-labelledby')]), ['group', 'zub1t0']);
    await close();
  });

  test('values the designer flags stop the page\'s script; values it leaves alone draw the bar', async () => {
    // The same examples as the designer's own check: each flagged one is a syntax error in the
    // page, and each unflagged one is a value the page takes.
    const flagged = [['AW', '250px'], ['AL', '1.5.2'], ['AL', ''], ['AW', '250+'], ['AW', '(250'],
      ['TFS', "<font face='Arial'>"], ['PFS', 'a\\'], ['TP', 'zub\\']];
    for (const [field, value] of flagged) {
      const dir = tempFolder();
      writeScript(dir, { set: { [field]: value } });
      const page = await engine.open(writePage(dir));
      const errors = await page.errors();
      // A script from a file: address may be reported only as "Script error.".
      assert.ok(errors.some((e) => /SyntaxError|syntax error|Script error/i.test(e)), `${field}=${value}: ${errors}`);
      assert.equal(await page.evaluate(() => document.querySelectorAll('.zub').length), 0, `${field}=${value}`);
      await page.close();
    }
    const unflagged = [['AW', '300'], ['AL', 'null'], ['AW', '250+10'], ['AW', 'screen.width-300'], ['AL', '10 % 3'],
      ['TFS', "<font face=\\'Arial\\'>"], ['TP', 'zubtheme']];
    for (const [field, value] of unflagged) {
      const { bar, errors, close } = await draw({ script: { set: { [field]: value } } });
      assert.deepEqual(errors, [], `${field}=${value}`);
      assert.equal(bar.panels.length, 1, `${field}=${value}`);
      await close();
    }
  });

  test('odd values fall back or clamp without a script error', async () => {
    const base = [['A', 'abc', 'ico.gif', '1', 'x<br>x<br>x'], ['B', '', '', '1', 'y'], ['C', '-40', '', '1', 'z'], ['D', '50', '', '1', 'w']];
    const cases = [
      {
        name: 'null, strings, negative and zero settings',
        set: { AL: 'null', AT: '-20', AW: "'300px'", AH: '0', ZI: 'null', LS: '-5', RS: "'x'", TS: 'null', MS: '0', TL: '-3', TFS: '<b>', TFE: '</b>' },
        check: (bar) => {
          assert.deepEqual([bar.left, bar.top, bar.width, bar.maxHeight, bar.zIndex], [0, 0, 300, '1000px', '0']);
          const [a] = bar.panels;
          assert.deepEqual([a.button.x - bar.box.x, a.button.w, a.button.y - bar.box.y, a.label.x - a.button.x], [0, 290, 15, 0]);
        },
      },
      {
        name: 'variables missing from a hand-made file',
        edit: (text) => text.split('\r\n').filter((l) => !/ZUB_(AreaWidth|PanelsTopSpace|TitlesFontStart|TitlesFontEnd|MovementSpeed|ThemePath)=/.test(l)).join('\r\n')
          .replace("'+ZUB_ThemePath+'", 'zubtheme/'),
        check: (bar) => {
          assert.equal(bar.width, 250);
          assert.equal(bar.panels[0].button.y - bar.box.y, 15);
          assert.equal(bar.panels[0].title, `${TFS}A${TFE}`);
        },
      },
      {
        name: 'arrays of unequal length',
        edit: (text) => text.replace(/Height=new Array\([^)]*\)/, "Height=new Array('30')").replace(/Expansion=new Array\([^)]*\)/, "Expansion=new Array('1','0')")
          .replace(/Icon=new Array\([^)]*\)/, 'Icon=new Array()').replace(/Data=new Array\([^)]*\)/, "Data=new Array('a','b','c','d','e','f')"),
        check: (bar) => {
          assert.deepEqual(bar.panels.map((p) => [p.title, p.body, p.expanded]), [['A', 'a', 'true'], ['B', 'b', 'false'], ['C', 'c', 'false'], ['D', 'd', 'false']]);
          assert.equal(bar.panels[0].height, 30);
          assert.equal(bar.panels[0].icon, null);
        },
      },
      {
        name: 'no arrays at all',
        edit: (text) => text.split('\r\n').filter((l) => !/new Array/.test(l)).join('\r\n'),
        check: (bar) => assert.equal(bar.panels.length, 0),
      },
    ];
    for (const c of cases) {
      const { bar, errors, close } = await draw({ script: { panels: base, set: { TFS: '', TFE: '', PFS: '', PFE: '', ...c.set } }, edit: c.edit });
      assert.deepEqual(errors, [], c.name);
      c.check(bar);
      if (!c.edit) {
        // Heights that are not positive numbers fit the content.
        for (const p of bar.panels.slice(0, 3)) assert.equal(p.height, p.contentHeight, `${c.name}: ${p.title}`);
        assert.equal(bar.panels[3].height, 50);
      }
      await close();
    }
  });

  test('the bar stands where the script file is included', async () => {
    const cases = [
      { name: 'in the body', page: {}, place: { parent: 'host', index: 2, next: 'foldpanes.js', after: true } },
      { name: 'in the head', page: { head: '<script src="menu.js"></script>', body: '' }, place: { parent: 'BODY', index: 0, next: null, after: true } },
    ];
    for (const c of cases) {
      const { page, errors, close } = await draw({ page: c.page });
      assert.deepEqual(errors, [], c.name);
      const place = await page.$eval('.zub', (a) => ({
        parent: a.parentNode.id || a.parentNode.nodeName,
        index: [...a.parentNode.children].indexOf(a),
        next: a.nextElementSibling.getAttribute('src'),
        after: !!document.getElementById('after'),
      }));
      assert.deepEqual(place, c.place, c.name);
      await close();
    }
  });

  test('two script files on one page draw two bars', async () => {
    const dir = tempFolder();
    writeScript(dir, { file: 'left.js', panels: [['Left', '40', '', '1', 'l']], theme: 'Blue' });
    writeScript(dir, { file: 'right.js', panels: [['Right', '40', '', '0', 'r']], set: { AL: '400', TP: 'dark' }, theme: 'Dark' });
    const page = await engine.open(writePage(dir, { body: '<script src="left.js"></script><script src="right.js"></script>' }));
    assert.deepEqual(await page.errors(), []);
    const bars = await page.$$eval('.zub', (areas) => areas.map((a) => [a.id, a.offsetLeft, a.querySelector('.zb').textContent, a.querySelector('.zb').getAttribute('aria-expanded')]));
    assert.deepEqual(bars, [['zub1', 0, 'Left', 'true'], ['zub2', 400, 'Right', 'false']]);
    await page.click('#zub2t0');
    assert.equal(await page.getAttribute('#zub1t0', 'aria-expanded'), 'true', 'bars toggle independently');
    await page.close();
  });

  test('an icon file that is missing draws nothing, as no icon does', async () => {
    const shots = [];
    for (const icon of ['missing.gif', '', 'ico.gif']) {
      const { page, errors, dir, close } = await draw({ script: { panels: [['Same', '40', icon, '0', 'a']] } });
      assert.deepEqual(errors, [], icon);
      shots.push(`${dir}/shot.png`);
      await page.screenshot(shots[shots.length - 1]);
      await close();
    }
    assert.equal(pixelsDiffering(shots[0], shots[1]), 0, 'the missing icon left a mark');
    assert.ok(pixelsDiffering(shots[2], shots[1]) > 20, 'the icon that is there shows');
  });

  test('theme images are found through the theme path', async () => {
    const cases = [
      { tp: 'zubtheme', folder: 'zubtheme/' },
      { tp: 'my theme', folder: 'my%20theme/' },
      // An empty path puts the theme beside the page; line 27 then asks the site root for thm.js.
      { tp: '', folder: '', allow: ['/thm.js'] },
    ];
    for (const c of cases) {
      const { page, errors, dir, close } = await draw({ script: { set: { TP: c.tp } }, allow: c.allow || [] });
      assert.deepEqual(errors, [], c.tp);
      const images = await page.$eval('.zb', (b) => getComputedStyle(b).backgroundImage);
      const base = `${pathToFileURL(dir).href}/${c.folder}`;
      for (const file of ['pcl.gif', 'pcr.gif', 'pc.gif']) assert.ok(images.includes(`url("${base}${file}")`), `${c.tp}: ${images}`);
      assert.ok(fs.existsSync(`${dir}/${decodeURIComponent(c.folder)}pc.gif`));
      await close();
    }
  });
});
