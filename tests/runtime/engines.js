// The three browser engines behind one small page interface, so that each case is written
// once: Chromium through playwright-core, Firefox through puppeteer-core over WebDriver BiDi,
// WebKit through selenium-webdriver and WebKitWebDriver on a virtual display of its own.
// ORVELLA_ENGINES=chromium,firefox picks some of them.
'use strict';
const { spawn } = require('node:child_process');
const fs = require('node:fs');
const net = require('node:net');
const os = require('node:os');
const path = require('node:path');

const ALL = ['chromium', 'firefox', 'webkit'];
const names = (process.env.ORVELLA_ENGINES || ALL.join(',')).split(',').filter((n) => ALL.includes(n));

const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';
const FIREFOX = process.env.FIREFOX || '/usr/bin/firefox-esr';
const WEBKIT_DRIVER = process.env.WEBKIT_DRIVER || '/usr/bin/WebKitWebDriver';
const VIEWPORT = { width: 800, height: 700 };

// Helpers run in process groups of their own, so that the browser a driver starts goes with it.
const children = new Set();
function stop(child) {
  if (!children.delete(child)) return;
  try { process.kill(-child.pid, 'SIGKILL'); } catch { /* gone already */ }
}
function start(command, args, options) {
  const child = spawn(command, args, { ...options, detached: true });
  children.add(child);
  child.on('exit', () => children.delete(child));
  return child;
}
process.on('exit', () => [...children].forEach(stop));
for (const signal of ['SIGINT', 'SIGTERM']) process.on(signal, () => process.exit(1));
const temp = (name) => fs.mkdtempSync(path.join(os.tmpdir(), `orvella-${name}-`));
function within(ms, what, promise) {
  let timer;
  const late = new Promise((_, fail) => { timer = setTimeout(() => fail(new Error(`${what}: no answer within ${ms / 1000} s`)), ms); });
  return Promise.race([promise, late]).finally(() => clearTimeout(timer));
}

// What every engine's page does the same way: through script in the page.
class Page {
  $eval(selector, fn, arg) {
    return this.evaluate(([s, f, a]) => {
      const el = document.querySelector(s);
      if (!el) throw new Error(`no element ${s}`);
      // eslint-disable-next-line no-new-func
      return new Function(`return (${f})`)()(el, a);
    }, [selector, fn.toString(), arg]);
  }
  $$eval(selector, fn, arg) {
    return this.evaluate(([s, f, a]) => new Function(`return (${f})`)()([...document.querySelectorAll(s)], a), [selector, fn.toString(), arg]);
  }
  getAttribute(selector, name) { return this.$eval(selector, (el, n) => el.getAttribute(n), name); }
  focus(selector) { return this.$eval(selector, (el) => el.focus()); }
  // Resolves once fn(arg) is true in the page, checked every animation frame or every `every` ms.
  waitFor(fn, arg, every = 0) {
    return this.evaluate(([f, a, ms]) => new Promise((resolve, reject) => {
      const test = new Function(`return (${f})`)(), until = performance.now() + 20000;
      (function check() {
        if (test(a)) return resolve(true);
        if (performance.now() > until) return reject(new Error(`waited 20 s for ${f}`));
        if (ms) setTimeout(check, ms); else requestAnimationFrame(check);
      })();
    }), [fn.toString(), arg, every]);
  }
  // What the page reported: uncaught errors, failed loads and console errors (see errorCatcher).
  errors() { return this.evaluate(() => window.pageErrors || ['the page has no error catcher']); }
  // Two frames, so that a screenshot shows what was just done.
  painted() { return this.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r)))); }
  media(query) { return this.evaluate((q) => matchMedia(q).matches, query); }
}

// ---- Chromium

// Opening a tab costs more than a page load, so each engine keeps one tab per set of options
// and loads the next page into it; close() leaves it blank with its emulation undone.
function tabs(make) {
  const made = new Map();
  return (options) => {
    const key = `${!!options.reducedMotion} ${options.viewport.width}x${options.viewport.height}`;
    if (!made.has(key)) made.set(key, make(options));
    return made.get(key);
  };
}

class ChromiumPage extends Page {
  constructor(page) { super(); this.page = page; }
  evaluate(fn, arg) { return this.page.evaluate(fn, arg); }
  goto(url) { return this.page.goto(url); }
  click(selector) { return this.page.click(selector); }
  press(key) { return this.page.keyboard.press(key); }
  async printMedia() { await this.page.emulateMedia({ media: 'print' }); }
  screenshot(file, selector) { return (selector ? this.page.locator(selector) : this.page).screenshot({ path: file }); }
  async close() { await this.page.goto('about:blank'); await this.page.emulateMedia({ media: null }); }
}

async function chromium() {
  const { chromium: driver } = require('playwright-core');
  const browser = await driver.launch({ executablePath: CHROMIUM });
  const tab = tabs(async ({ reducedMotion, viewport }) => {
    const context = await browser.newContext({ viewport, reducedMotion: reducedMotion ? 'reduce' : 'no-preference' });
    return new ChromiumPage(await context.newPage());
  });
  return {
    version: browser.version(),
    async open(url, { reducedMotion, viewport = VIEWPORT } = {}) {
      const page = await tab({ reducedMotion, viewport });
      await page.goto(url);
      return page;
    },
    close: () => browser.close(),
  };
}

// ---- Firefox

class FirefoxPage extends Page {
  constructor(page, override) { super(); this.page = page; this.override = override; }
  evaluate(fn, arg) { return this.page.evaluate(fn, arg); }
  goto(url) { return this.page.goto(url); }
  click(selector) { return this.page.click(selector); }
  async press(key) {
    const keys = key.split('+');
    for (const k of keys.slice(0, -1)) await this.page.keyboard.down(k);
    // Puppeteer names the space bar by its character.
    await this.page.keyboard.press(keys[keys.length - 1].replace('Space', ' '));
    for (const k of keys.slice(0, -1).reverse()) await this.page.keyboard.up(k);
  }
  printMedia() { this.printing = true; return this.override('mediumOverride', 'print'); }
  async screenshot(file, selector) {
    await this.painted();
    await (selector ? await this.page.$(selector) : this.page).screenshot({ path: file });
  }
  async close() {
    await this.page.goto('about:blank');
    if (this.printing) await this.override('mediumOverride', '');
    this.printing = false;
  }
}

async function firefox() {
  const puppeteer = require('puppeteer-core');
  const profile = temp('firefox');
  // System access lets the chrome scope set a tab's media overrides, which BiDi lacks.
  const browser = await puppeteer.launch({ browser: 'firefox', executablePath: FIREFOX, headless: true, userDataDir: profile,
    args: ['--remote-allow-system-access'], protocolTimeout: 60000 });
  const bidi = browser.connection;
  const { result: tree } = await bidi.send('browsingContext.getTree', { 'moz:scope': 'chrome' });
  const chromeWindow = tree.contexts[0].context;
  let count = 0;
  const chrome = async (expression) => {
    const { result } = await bidi.send('script.evaluate', { expression, target: { context: chromeWindow }, awaitPromise: false });
    return result.result?.value;
  };
  // Finds the <browser> of the tab that shows the marked address and keeps it under the mark,
  // so that overrides can be set on its browsing context whatever it shows later.
  const remember = async (mark) => {
    const found = await chrome(`(() => { const tabs = window.orvellaTabs = window.orvellaTabs || {};
      for (const w of Services.wm.getEnumerator('navigator:browser'))
        for (const b of w.gBrowser.browsers) if ('#' + b.currentURI.ref === ${JSON.stringify(mark)}) { tabs[${JSON.stringify(mark)}] = b; return true; }
      return false; })()`);
    if (found !== true) throw new Error(`Firefox: no tab shows ${mark}`);
    return async (name, value) => {
      const set = await chrome(`(() => { const b = window.orvellaTabs[${JSON.stringify(mark)}];
        b.browsingContext[${JSON.stringify(name)}] = ${JSON.stringify(value)}; return true; })()`);
      if (set !== true) throw new Error(`Firefox: cannot set ${name}`);
    };
  };
  const tab = tabs(async ({ reducedMotion, viewport }) => {
    const context = await browser.createBrowserContext();
    const opened = await context.newPage();
    await opened.setViewport(viewport);
    const mark = `#orvella-tab-${++count}`;
    await opened.goto(`about:blank${mark}`);
    return new FirefoxPage(opened, await remember(mark));
  });
  return {
    version: (await browser.version()).replace('firefox/', ''),
    async open(url, { reducedMotion, viewport = VIEWPORT } = {}) {
      const page = await tab({ reducedMotion, viewport });
      // Background tabs get no animation frames.
      await page.page.bringToFront();
      await page.goto(url);
      // A navigation into another process can give the tab a new browsing context, without
      // the override; the runtime asks at each toggle, so setting it after the load serves.
      if (reducedMotion) await page.override('prefersReducedMotionOverride', 'reduce');
      return page;
    },
    async close() { await browser.close(); fs.rmSync(profile, { recursive: true, force: true }); },
  };
}

// ---- WebKit

class WebKitPage extends Page {
  constructor(session) { super(); this.session = session; this.driver = session.driver; }
  evaluate(fn, arg) { return this.driver.executeScript(`return (${fn})(arguments[0])`, arg); }
  goto(url) { return this.driver.get(url); }
  async click(selector) {
    const { By } = require('selenium-webdriver');
    await this.driver.findElement(By.css(selector)).click();
  }
  async press(key) {
    const { Key } = require('selenium-webdriver');
    const code = { Tab: Key.TAB, Enter: Key.ENTER, Space: Key.SPACE, Shift: Key.SHIFT };
    const keys = key.split('+').map((k) => code[k]);
    let actions = this.driver.actions();
    for (const k of keys.slice(0, -1)) actions = actions.keyDown(k);
    actions = actions.sendKeys(keys[keys.length - 1]);
    for (const k of keys.slice(0, -1).reverse()) actions = actions.keyUp(k);
    await actions.perform();
  }
  printMedia() { throw new Skip('WebKitWebDriver has no print emulation'); }
  // The whole window: element screenshots come out partly black here.
  async screenshot(file) {
    await this.painted();
    fs.writeFileSync(file, Buffer.from(await this.driver.takeScreenshot(), 'base64'));
  }
  close() { return this.driver.get('about:blank'); }
}

function freePort() {
  return new Promise((resolve) => {
    const srv = net.createServer().listen(0, '127.0.0.1', () => { const { port } = srv.address(); srv.close(() => resolve(port)); });
  });
}

async function xvfb() {
  const server = start('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'], { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  const display = await within(20000, 'Xvfb', new Promise((resolve, reject) => {
    server.on('error', reject);
    server.stdio[3].once('data', (d) => resolve(`:${d.toString().trim()}`));
  }));
  return { display, close: () => stop(server) };
}

// One WebKitWebDriver with its MiniBrowser. Reduced motion is a GTK setting, so it needs a
// session of its own with a settings file that turns animations off.
async function webkitSession(display, reducedMotion) {
  const { Builder } = require('selenium-webdriver');
  const env = { ...process.env, DISPLAY: display };
  const config = temp('webkit');
  fs.mkdirSync(path.join(config, 'gtk-3.0'));
  fs.writeFileSync(path.join(config, 'gtk-3.0', 'settings.ini'), `[Settings]\ngtk-enable-animations=${reducedMotion ? 'false' : 'true'}\n`);
  env.XDG_CONFIG_HOME = config;
  const port = await freePort();
  const server = start(WEBKIT_DRIVER, [`--port=${port}`], { env, stdio: 'ignore' });
  // Without a working display the new-session request never returns.
  const driver = await within(30000, 'WebKit new session', (async () => {
    for (;;) {
      try { await fetch(`http://127.0.0.1:${port}/status`); break; } catch { await new Promise((r) => setTimeout(r, 50)); }
    }
    return new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities({ browserName: 'MiniBrowser' }).build();
  })()).catch((e) => { stop(server); throw e; });
  return {
    driver, size: null,
    async close() { await within(10000, 'WebKit quit', driver.quit()).catch(() => {}); stop(server); fs.rmSync(config, { recursive: true, force: true }); },
  };
}

async function webkit() {
  const screen = await xvfb();
  const sessions = {};
  const session = async (reduced) => (sessions[reduced] ??= webkitSession(screen.display, reduced));
  const first = await session(false);
  const caps = await first.driver.getCapabilities();
  return {
    version: caps.get('browserVersion'),
    // One window per session: a page is the window, loaded with the next address.
    async open(url, { reducedMotion = false, viewport = VIEWPORT } = {}) {
      const s = await session(!!reducedMotion);
      const page = new WebKitPage(s);
      await page.goto(url);
      if (s.size !== `${viewport.width}x${viewport.height}`) {
        // The window's frame takes some of its size: grow it by what the page lacks.
        const rect = { width: viewport.width, height: viewport.height };
        await s.driver.manage().window().setRect(rect);
        const inner = await page.evaluate(() => [innerWidth, innerHeight]);
        await s.driver.manage().window().setRect({ width: 2 * rect.width - inner[0], height: 2 * rect.height - inner[1] });
        s.size = `${viewport.width}x${viewport.height}`;
      }
      return page;
    },
    async close() {
      for (const s of Object.values(sessions)) await (await s).close();
      screen.close();
    },
  };
}

// A case that an engine cannot run says so, with the reason.
class Skip extends Error {}

const launchers = { chromium, firefox, webkit };

// Starts the named engine; its open() checks that a requested emulation took effect.
async function launch(name) {
  const engine = await launchers[name]();
  const open = engine.open;
  engine.name = name;
  engine.open = async (url, options = {}) => {
    const page = await open(url, options);
    page.engine = name;
    if (options.reducedMotion && !(await page.media('(prefers-reduced-motion: reduce)'))) {
      await page.close();
      throw new Skip(`${name} did not take the reduced-motion setting`);
    }
    return page;
  };
  return engine;
}

// Print media where the engine can emulate it; a Skip where it cannot.
async function printMedia(page) {
  await page.printMedia();
  if (!(await page.media('print'))) throw new Skip(`${page.engine} did not take print media`);
}

// Runs cases(engine) once per engine, each engine a suite of its own; a Skip thrown by a case
// marks it skipped with its reason.
function eachEngine(cases) {
  const { describe, before, after, test } = require('node:test');
  for (const name of names) {
    describe(name, () => {
      const engine = { name };
      before(async () => Object.assign(engine, await launch(name)));
      after(() => engine.close && engine.close());
      const wrapped = (title, options, fn) => {
        if (typeof options === 'function') [fn, options] = [options, {}];
        return test(title, options, async (t) => {
          try {
            await fn(t);
          } catch (e) {
            if (!(e instanceof Skip)) throw e;
            t.skip(e.message);
          }
        });
      };
      cases(engine, wrapped);
    });
  }
}

module.exports = { ALL, names, launch, eachEngine, printMedia, Skip };
