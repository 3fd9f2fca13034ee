// Opens, in headless Chromium, the pages that use what the packaged designer saved: a page beside
// a saved script file, and the preview page of the unpacked program folder. Each must draw the
// designed panels with the deployed theme and runtime script, without a console error or a file
// that fails to load; the preview is saved as a picture for the user's guide.
//   node page.js <page.html> <prv.html> <preview.png> <title>...
'use strict';
const assert = require('node:assert/strict');
const { pathToFileURL } = require('node:url');
// From the runtime suite's packages.
const { chromium } = require('node:module').createRequire(require.resolve('../runtime/lib'))('playwright-core');
const { readBar } = require('../runtime/lib');

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

async function check(browser, file, titles, options) {
  const { page, errors, close } = await open(browser, pathToFileURL(file).href, options);
  const bar = await readBar(page);
  assert.deepEqual(bar.panels.map((p) => p.title.replace(/<[^>]*>/g, '')), titles, file);
  assert.ok(await page.evaluate(() => !!window.ZUB_Theme), `${file}: the theme's thm.js ran`);
  assert.deepEqual(errors, [], file);
  return { page, close };
}

(async () => {
  const [pageFile, previewFile, shot, ...titles] = process.argv.slice(2);
  const browser = await chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium' });
  try {
    await (await check(browser, pageFile, titles)).close();
    const preview = await check(browser, previewFile, titles, { viewport: { width: 1000, height: 620 } });
    await preview.page.screenshot({ path: shot });
    await preview.close();
  } finally {
    await browser.close();
  }
})().catch((failure) => {
  console.error(`page.js: ${failure.message}`);
  process.exit(1);
});
