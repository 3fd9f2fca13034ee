/* foldpanes.js - draws the panel bar that a script file declares in its ZUB_* variables,
   dressed by the theme's thm.js (ZUB_Theme) and the images in ZUB_ThemePath.
   The script file includes it with document.write while the page is parsed, so the bar is
   put where this script stands; included from the head, it opens the body instead.
   Values are taken as the designer wrote them: what is not a usable number falls back to
   the designer's default, and a negative offset clamps to 0.
   This is the readable source; tools/pack_runtime.py writes the shipped runtime/foldpanes.js. */
(function (window, document) {
  'use strict';

  // ---- The design, as the script file and the theme declare it

  function setting(name) { return window['ZUB_' + name]; }
  function text(value, fallback) { return value == null ? fallback : '' + value; }
  function list(value) { return value == null ? [] : Array.isArray(value) ? value : [value]; }
  // Sizes must be positive; offsets may be 0, and a negative one clamps to it.
  function number(value, fallback, isSize) {
    value = Math.min(parseFloat(value), 1e5);
    if (value > 0 || (value == 0 && !isSize)) return value;
    return isSize || value != value ? fallback : 0;
  }
  function pixels(name, fallback) { return number(setting(name), fallback) + 'px'; }

  var theme = window.ZUB_Theme || {};
  function themed(name, fallback) { return theme[name] != null ? theme[name] : fallback; }

  var titles = list(setting('PanelsTitle')), heights = list(setting('PanelsHeight')),
    expanded = list(setting('PanelsExpansion')), icons = list(setting('PanelsIcon')),
    texts = list(setting('PanelsData'));
  var titleStart = text(setting('TitlesFontStart'), '<font face="Tahoma" size=2><b>'),
    titleEnd = text(setting('TitlesFontEnd'), '</b></font>'),
    textStart = text(setting('PanelsFontStart'), '<font face=Tahoma size=2>'),
    textEnd = text(setting('PanelsFontEnd'), '</font>');
  // Pixels per frame at 60 frames a second, as the designer has always meant it, but timed
  // by the clock: a move of h pixels lasts h / (60 * speed) seconds, at most 1.5 s.
  var speed = number(setting('MovementSpeed'), 15, true);
  var areaHeight = number(setting('AreaHeight'), 1000, true),
    panelGap = number(setting('PanelsTopSpace'), 15),
    titleHeight = number(themed('titleHeight', 24), 24, true),
    titlesTop = number(setting('TitlesTop'), 5),
    buttonSize = number(themed('buttonSize', 16), 16, true);

  // Line 25 ends the folder with a backslash, which URLs read as a slash; a lone one is
  // the empty folder: the theme's files stand beside the page.
  var themePath = text(setting('ThemePath'), 'zubtheme\\').replace(/\\/g, '/');
  if (themePath == '/') themePath = '';
  else if (themePath && themePath.slice(-1) != '/') themePath += '/';

  function isExpanded(index) { return expanded[index] == 1; }
  function heightOf(index) { return number(heights[index], 0, true); }

  // ---- What the page offers

  // Where hidden="until-found" is unknown, a plain hidden keeps a collapsed body hidden.
  var untilFound = 'onbeforematch' in document.documentElement ? 'until-found' : '';
  var reducedMotion = window.matchMedia && window.matchMedia('(prefers-reduced-motion: reduce)');
  var script = document.currentScript, host = script && script.parentNode;
  if (host == document.head) host = null;

  // The titles stand one level below the nearest heading before the bar (h2 when there is
  // none, h6 at most), unless the page sets the level; other bars' titles do not count.
  function outlineLevel() {
    var headings = host ? document.querySelectorAll('h1,h2,h3,h4,h5,h6,[role=heading]') : [], k, h;
    for (k = headings.length - 1; k >= 0; k--) {
      h = headings[k];
      if (h.className != 'zh' && h.compareDocumentPosition(script) & 4)
        return Math.min(6, (parseInt(h.getAttribute('aria-level'), 10) || +h.tagName.slice(1) || 2) + 1);
    }
    return 2;
  }
  var level = Math.min(Math.max(parseInt(setting('HeadingLevel'), 10) || outlineLevel(), 1), 6);

  // ---- The style sheet, scoped to this bar

  var barId = 'zub' + (window.ZUB_Bars = (window.ZUB_Bars || 0) + 1), scope = '#' + barId;
  // Backslashes would be escapes in CSS, and URLs take them as slashes anyway.
  function image(url) { return 'url("' + url.replace(/\\/g, '/').replace(/["\n\r]/g, encodeURIComponent) + '")'; }
  function themeImage(file) { return image(themePath + file); }
  function titleImages(state) {
    return 'var(--zi,none),' + [state, 'pcl.gif', 'pcr.gif', 'pc.gif'].map(themeImage).join(',');
  }
  // A rule for this bar's part (its class names, comma-separated) from a list of declarations.
  function rule(parts, declarations) {
    var selectors = parts.split(',').map(function (part) { return part ? scope + ' ' + part : scope; });
    return selectors.join(',') + '{' + declarations.join(';') + '}';
  }

  var css = [
    rule('', ['position:absolute', 'box-sizing:border-box', 'overflow:auto',
      'left:' + pixels('AreaLeft', 0), 'top:' + pixels('AreaTop', 0),
      'width:' + number(setting('AreaWidth'), 250, true) + 'px', 'max-height:' + areaHeight + 'px',
      'z-index:' + Math.round(number(setting('ZIndex'), 0)),
      'padding:0 ' + pixels('PanelsRightSpace', 10) + ' 0 ' + pixels('PanelsLeftSpace', 10)]),
    // A wrapper per panel: a moving body then shifts one sibling per panel, not two. The
    // wrappers stand in groups of about the square root of their number, so that a moving
    // body lays out again only its own group and the groups, not every panel below it.
    rule('.zw', ['margin-top:' + panelGap + 'px']),
    rule('.zh', ['margin:0', 'padding:0', 'font:inherit']),
    // The title bar is one box with no positioned parts: WebKit's layout costs grow with every
    // positioned box in the bar. Its background holds, top first, the icon (a custom property
    // set per icon), the state button, and the bar's ends and middle. Pictures that fail to
    // load draw nothing in any engine, where an image element leaves a broken-image mark in some.
    rule('.zb', ['display:block', 'box-sizing:border-box', 'width:100%', 'height:' + titleHeight + 'px',
      'margin:0', 'padding:' + titlesTop + 'px ' + (buttonSize + 10) + 'px 0 ' + pixels('TitlesLeft', 22),
      'border:0', 'border-radius:0', 'font:inherit', 'text-align:left', 'cursor:pointer',
      'color:' + themed('titleColor', '#000'), 'background-color:' + themed('titleBackground', '#ddd'),
      'background-image:' + titleImages('eb.gif'), 'background-repeat:no-repeat,no-repeat,no-repeat,no-repeat,repeat-x',
      'background-position:' + pixels('IconsLeft', 6) + ' ' + pixels('IconsTop', 6) + ',right 6px top ' +
        (titleHeight - buttonSize) / 2 + 'px,0 0,100% 0,0 0']),
    rule('.zb[aria-expanded=true]', ['background-image:' + titleImages('cb.gif')]),
    // Buttons centre their content: a title as high as the space below its offset stays there.
    rule('.zt', ['display:block', 'height:' + Math.max(0, titleHeight - titlesTop) + 'px', 'font-size:13px',
      'line-height:1.2', 'white-space:nowrap', 'overflow:hidden', 'text-overflow:ellipsis']),
    rule('.zb:hover', ['filter:brightness(1.07)']),
    rule('.zb:focus-visible', ['outline:2px solid ' + themed('focusColor', '#1a73e8'), 'outline-offset:-2px']),
    // The moving body has no padding, border or margin: its height is all there is to move.
    // Hidden until found implies style containment; holding it open too keeps a toggle from
    // recounting the quotes and counters of the whole page.
    rule('.zp', ['overflow:hidden', 'contain:style']),
    rule('.zc', ['box-sizing:border-box', 'overflow:auto',
      'padding:' + pixels('PanelsTextTop', 5) + ' ' + pixels('PanelsTextLeft', 5),
      'color:' + themed('bodyColor', '#000'),
      'background:' + themeImage('panel.gif') + ' repeat-x ' + themed('bodyBackground', '#fff'),
      'border:1px solid ' + themed('borderColor', '#ccc'), 'border-top:0']),
    rule('.zc a', ['color:' + themed('linkColor', '#00e')]),
    // Print shows every body whole.
    '@media print{' + rule('', ['position:static', 'max-height:none', 'overflow:visible']) +
      rule('.zp,.zc', ['height:auto!important', 'overflow:visible']) +
      rule('.zp[hidden]', ['display:block!important', 'content-visibility:visible!important']) + '}'
  ].join('');

  // One rule per distinct icon: no element and no load per panel.
  var iconClasses = {}, iconCount = 0;
  function iconClass(url) {
    if (!iconClasses[url]) {
      iconClasses[url] = 'zb zi' + ++iconCount;
      css += rule('.zi' + iconCount, ['--zi:' + image(url)]);
    }
    return iconClasses[url];
  }

  // ---- The authors' HTML

  // The texts are parsed in one pass, each in a template of its own, so that a tag left
  // open stays in its own panel; when a text breaks out of its template, each text is
  // parsed alone instead.
  function parse(htmls) {
    var all = document.createElement('template'), parsed, k;
    all.innerHTML = '<template>' + htmls.join('</template><template>') + '</template>';
    parsed = all.content.children;
    if (parsed.length != htmls.length) {
      parsed = [];
      for (k = 0; k < htmls.length; k++) (parsed[k] = document.createElement('template')).innerHTML = htmls[k];
    }
    return parsed;
  }
  // Fills each element of a list of {into, html} with its parsed HTML.
  function insert(pending) {
    var parsed = parse(pending.map(function (job) { return job.html; })), k;
    for (k = 0; k < pending.length; k++) pending[k].into.appendChild(parsed[k].content);
  }

  // Plain text needs no parser: it goes into a copy of the parsed start and end tags where a
  // marker stood, provided that the tags kept the marker whole in one text node.
  var MARK = '\uE000';
  function wrapping(start, end) {
    var tags = document.importNode(parse([start + MARK + end])[0].content, true),
      node = tags, route = [], k;
    while (node && node.nodeType != 3) {
      for (k = 0; k < node.childNodes.length && node.childNodes[k].textContent.indexOf(MARK) < 0; k++);
      route.push(k);
      node = node.childNodes[k];
    }
    var whole = node && tags.textContent.split(MARK).length == 2;
    return { start: start, end: end, tags: whole && tags, route: route, around: whole && node.data.split(MARK) };
  }
  // Puts the text into the element at once when it is plain, or queues its HTML.
  function fill(into, wrap, value, pending) {
    var copy, node, k;
    if (wrap.tags && !/[<&\r\0\uE000]|^\n|^\s*$/.test(value)) {
      node = copy = wrap.tags.cloneNode(true);
      for (k = 0; k < wrap.route.length; k++) node = node.childNodes[wrap.route[k]];
      node.data = wrap.around[0] + value + wrap.around[1];
      into.appendChild(copy);
    } else pending.push({ into: into, html: wrap.start + value + wrap.end });
  }
  var titleWrapping = wrapping(titleStart, titleEnd), bodyWrapping = wrapping(textStart, textEnd);

  // ---- Panels

  var area = document.createElement('div'), style = document.createElement('style');
  var panels = [];
  // Beyond six panels, named regions would crowd the page's landmarks; groups keep the names.
  var bodyRole = titles.length > 6 ? 'group' : 'region';
  // A panel is <div.zw><hN.zh><button.zb><span.zt/></button></hN><div.zp><div.zc/></div></div>;
  // copies are made from prototypes in the page's own document: nothing has to be adopted.
  function prototype(open) {
    var t = document.createElement('template');
    t.innerHTML = '<div class=zw><h' + level + ' class=zh><button type=button class=zb aria-expanded=' + open +
      '><span class=zt></span></button></h' + level + '><div class=zp role=' + bodyRole +
      (open ? '' : ' hidden="' + untilFound + '" aria-hidden=true style=height:0') + '><div class=zc></div></div></div>';
    return document.importNode(t.content.firstChild, true);
  }
  var openPrototype = prototype(true), closedPrototype = prototype(false);

  // -1 stands for the body's full height, which is known only once it is laid out.
  var FULL = -1;
  function Panel(wrapper, open, height) {
    this.button = wrapper.firstChild.firstChild;
    this.title = this.button.firstChild;
    this.body = wrapper.lastChild;
    this.content = this.body.firstChild;
    this.height = height; // 0: the body fits its content
    this.open = open;
    this.shown = open ? FULL : 0;
    // While moving: when it started, from and to which height, and for how long.
    this.startTime = 0;
    this.from = this.to = this.duration = 0;
  }

  // ---- Opening and closing

  var moving = [], frameRequest = 0;
  Panel.prototype.toggle = function (open, animate) {
    if (this.open == open) return;
    this.open = open;
    this.button.setAttribute('aria-expanded', open);
    // Focus must not vanish with the body.
    if (!open && this.body.contains(document.activeElement)) this.button.focus();
    if (open) {
      buildRest();
      this.body.removeAttribute('hidden');
      this.body.removeAttribute('aria-hidden');
    }
    if (!animate || (reducedMotion && reducedMotion.matches)) return this.finish();
    this.from = this.shown;
    this.to = open ? FULL : 0;
    this.duration = -1; // reckoned at the first frame, when the full height is known
    this.startTime = window.performance.now();
    if (moving.indexOf(this) < 0) moving.push(this);
    frameRequest = frameRequest || window.requestAnimationFrame(nextFrame);
  };
  Panel.prototype.finish = function () {
    this.startTime = 0;
    this.shown = this.open ? FULL : 0;
    this.body.style.height = this.open ? '' : '0';
    // A body hidden until found keeps its box, which would leave an empty region behind.
    if (!this.open) {
      this.body.setAttribute('hidden', untilFound);
      this.body.setAttribute('aria-hidden', 'true');
    }
  };
  // One frame of every moving panel: every read of the frame comes before any write.
  function nextFrame(now) {
    var panels = moving, full = [], k, panel, progress;
    frameRequest = 0;
    moving = [];
    for (k = 0; k < panels.length; k++)
      if (panels[k].duration < 0) full[k] = panels[k].height || panels[k].content.offsetHeight;
    for (k = 0; k < panels.length; k++) {
      panel = panels[k];
      // Finished meanwhile without a movement.
      if (!panel.startTime) continue;
      if (panel.duration < 0) {
        if (panel.from == FULL) panel.from = full[k];
        if (panel.to == FULL) panel.to = full[k];
        panel.duration = Math.min(1500, Math.abs(panel.to - panel.from) * 50 / 3 / speed);
      }
      progress = panel.duration ? Math.max(0, (now - panel.startTime) / panel.duration) : 1;
      if (progress >= 1) panel.finish();
      else {
        panel.shown = panel.from + (panel.to - panel.from) * (1 - Math.cos(Math.PI * progress)) / 2;
        panel.body.style.height = panel.shown + 'px';
        moving.push(panel);
      }
    }
    if (moving.length) frameRequest = window.requestAnimationFrame(nextFrame);
  }

  // The panel whose element this is, when it belongs to this bar: ids end in the index.
  function panelOf(element, part) {
    var panel = element && panels[element.id.slice(barId.length + 1)];
    return panel && panel[part] == element ? panel : null;
  }
  area.addEventListener('click', function (event) {
    var panel = event.target.closest && panelOf(event.target.closest('.zb'), 'button');
    if (panel) panel.toggle(!panel.open, true);
  });
  // Find in page and text fragments reveal a collapsed body: its panel opens at once.
  area.addEventListener('beforematch', function (event) {
    var panel = panelOf(event.target, 'body');
    if (panel) panel.toggle(true, false);
  });

  // ---- Building

  // While the page is parsed, only the panels that fill the area are made, and collapsed
  // bodies stay empty; the rest follows once the page is parsed, or sooner when needed.
  var groupSize = Math.ceil(Math.sqrt(titles.length)), group, deferred = [];
  function build(count, pending, pendingClosed) {
    var fragment = document.createDocumentFragment(), before = css, index, open, wrapper, panel, icon;
    for (index = panels.length; index < count; index++) {
      open = isExpanded(index);
      wrapper = (open ? openPrototype : closedPrototype).cloneNode(true);
      panel = panels[index] = new Panel(wrapper, open, heightOf(index));
      panel.button.id = barId + 't' + index;
      panel.body.id = barId + 'p' + index;
      panel.button.setAttribute('aria-controls', panel.body.id);
      panel.body.setAttribute('aria-labelledby', panel.button.id);
      icon = text(icons[index], '');
      if (icon) panel.button.className = iconClass(icon);
      fill(panel.title, titleWrapping, text(titles[index], ''), pending);
      // A height that is not a positive number lets the body fit its content.
      if (panel.height) panel.content.style.height = panel.height + 'px';
      fill(panel.content, bodyWrapping, text(texts[index], ''), open ? pending : pendingClosed);
      if (index % groupSize == 0) fragment.appendChild(group = document.createElement('div'));
      group.appendChild(wrapper);
    }
    if (css != before) style.textContent = css;
    area.appendChild(fragment);
  }
  function buildRest() {
    var pending = deferred;
    deferred = [];
    build(titles.length, pending, pending);
    if (pending.length) insert(pending);
  }

  // Panels of unknown height count as none, so that enough are made.
  var first = 0, filled = 0, pending = [];
  for (; first < titles.length && filled < areaHeight; first++)
    filled += panelGap + titleHeight + (isExpanded(first) ? heightOf(first) : 0);
  style.textContent = css;
  build(first, pending, deferred);
  insert(pending);
  (document.head || document.documentElement).appendChild(style);
  area.id = barId;
  area.className = 'zub';
  window.addEventListener('beforeprint', buildRest);

  function openBody() { document.body.insertBefore(area, document.body.firstChild); }
  if (host) host.insertBefore(area, script);
  else if (document.body) openBody();
  else document.addEventListener('DOMContentLoaded', openBody);
  if (document.readyState == 'loading') document.addEventListener('DOMContentLoaded', buildRest);
  else buildRest();
})(window, document);
