/* foldpanes.js - draws the panel bar that a script file declares in its ZUB_* variables,
   dressed by the theme's thm.js (ZUB_Theme) and images in ZUB_ThemePath.
   The script file includes it with document.write while the page is parsed, so the bar is
   put where this script stands; included from the head, it opens the body instead.
   Every value is taken as the designer wrote it: anything that is not a usable number falls
   back to the designer's default, negative offsets clamp to 0. */
(function (w, d) {
  'use strict';
  function v(name) { return w['ZUB_' + name]; }
  function str(x, def) { return x == null ? def : '' + x; }
  // Sizes must be positive; offsets may be 0, and a negative one clamps to it.
  function num(x, def, size) {
    x = Math.min(parseFloat(x), 1e5);
    return x > 0 || (x == 0 && !size) ? x : size || x != x ? def : 0;
  }
  function list(x) { return x == null ? [] : Array.isArray(x) ? x : [x]; }

  var n = w.ZUB_Bars = (w.ZUB_Bars || 0) + 1, id = 'zub' + n,
    titles = list(v('PanelsTitle')), heights = list(v('PanelsHeight')),
    flags = list(v('PanelsExpansion')), icons = list(v('PanelsIcon')), data = list(v('PanelsData')),
    leftSpace = num(v('PanelsLeftSpace'), 10), rightSpace = num(v('PanelsRightSpace'), 10),
    tfs = str(v('TitlesFontStart'), '<font face="Tahoma" size=2><b>'),
    tfe = str(v('TitlesFontEnd'), '</b></font>'),
    pfs = str(v('PanelsFontStart'), '<font face=Tahoma size=2>'),
    pfe = str(v('PanelsFontEnd'), '</font>'),
    // Pixels per frame at 60 frames a second, as the designer has always meant it, but timed by
    // the clock: a move of h pixels lasts h / (60 * speed) seconds, at most 1.5 s.
    speed = num(v('MovementSpeed'), 15, 1),
    // Line 25 ends the folder with a backslash, which URLs read as a slash; a lone one is the
    // empty folder, i.e. the theme files stand beside the page.
    path = str(v('ThemePath'), 'zubtheme\\').replace(/\\/g, '/'),
    theme = w.ZUB_Theme || {},
    until = 'onbeforematch' in d.documentElement ? 'until-found' : '',
    motion = w.matchMedia && w.matchMedia('(prefers-reduced-motion: reduce)'),
    level = Math.min(Math.max(parseInt(v('HeadingLevel'), 10) || 3, 1), 6),
    area = d.createElement('div'), panels = [], running = [], frame = 0, i;

  if (path == '/') path = '';
  else if (path && path.slice(-1) != '/') path += '/';
  function t(name, def) { return theme[name] != null ? theme[name] : def; }
  function img(file) { return 'url("' + (path + file).replace(/["\n]/g, encodeURIComponent) + '")'; }
  var bar = num(t('titleHeight'), 24, 1), knob = num(t('buttonSize'), 16, 1), s = '#' + id;

  var style = d.createElement('style');
  style.textContent =
    s + '{position:absolute;box-sizing:border-box;overflow:auto;left:' + num(v('AreaLeft'), 0) +
    'px;top:' + num(v('AreaTop'), 0) + 'px;width:' + num(v('AreaWidth'), 250, 1) +
    'px;max-height:' + num(v('AreaHeight'), 1000, 1) + 'px;z-index:' + Math.round(num(v('ZIndex'), 0)) +
    ';padding:0 ' + rightSpace + 'px 0 ' + leftSpace + 'px}' +
    s + ' .zh{margin:' + num(v('PanelsTopSpace'), 15) + 'px 0 0;padding:0;font:inherit}' +
    s + ' .zb{display:block;position:relative;box-sizing:border-box;width:100%;height:' + bar +
    'px;margin:0;padding:0;border:0;border-radius:0;font:inherit;text-align:left;cursor:pointer;color:' +
    t('titleColor', '#000') + ';background:' + img('pcl.gif') + ' no-repeat 0 0,' + img('pcr.gif') +
    ' no-repeat 100% 0,' + img('pc.gif') + ' repeat-x 0 0 ' + t('titleBackground', '#ddd') + '}' +
    s + ' .zb:after{content:"";position:absolute;right:6px;top:' + (bar - knob) / 2 + 'px;width:' + knob +
    'px;height:' + knob + 'px;background:' + img('eb.gif') + ' no-repeat}' +
    s + ' .zb[aria-expanded=true]:after{background-image:' + img('cb.gif') + '}' +
    s + ' .zb:hover{filter:brightness(1.07)}' +
    s + ' .zb:focus-visible{outline:2px solid ' + t('focusColor', '#1a73e8') + ';outline-offset:-2px}' +
    s + ' .zi{position:absolute;left:' + num(v('IconsLeft'), 6) + 'px;top:' + num(v('IconsTop'), 6) + 'px}' +
    s + ' .zt{position:absolute;left:' + num(v('TitlesLeft'), 22) + 'px;top:' + num(v('TitlesTop'), 5) +
    'px;right:' + (knob + 10) + 'px;font-size:13px;line-height:1.2;white-space:nowrap;overflow:hidden;text-overflow:ellipsis}' +
    // The animated body has no padding, border or margin, so its height is all there is to move.
    s + ' .zp{overflow:hidden}' +
    s + ' .zc{box-sizing:border-box;overflow:auto;padding:' + num(v('PanelsTextTop'), 5) + 'px ' +
    num(v('PanelsTextLeft'), 5) + 'px;color:' + t('bodyColor', '#000') + ';background:' + img('panel.gif') +
    ' repeat-x ' + t('bodyBackground', '#fff') + ';border:1px solid ' + t('borderColor', '#ccc') +
    ';border-top:0}' +
    s + ' .zc a{color:' + t('linkColor', '#00e') + '}' +
    '@media print{' + s + '{position:static;max-height:none;overflow:visible}' +
    s + ' .zp,' + s + ' .zc{height:auto!important;overflow:visible}' +
    s + ' .zp[hidden]{display:block!important;content-visibility:visible!important}}';
  (d.head || d.documentElement).appendChild(style);
  area.id = id;
  area.className = 'zub';

  function toggle(q, open, animate) {
    if (q.open == open) return;
    q.open = open;
    q.b.setAttribute('aria-expanded', open);
    // Focus must not vanish with the body; and a closing body takes no Tab stops.
    if (!open && q.p.contains(d.activeElement)) q.b.focus();
    q.p.inert = !open;
    if (open) {
      q.p.removeAttribute('hidden');
      q.p.removeAttribute('aria-hidden');
    }
    if (!animate || (motion && motion.matches)) return done(q);
    q.from = q.cur;
    q.to = open ? -1 : 0;
    q.dur = -1;
    q.t0 = w.performance.now();
    if (running.indexOf(q) < 0) running.push(q);
    frame = frame || w.requestAnimationFrame(step);
  }

  function done(q) {
    q.t0 = 0;
    q.cur = q.open ? -1 : 0; // -1: the body's full height
    q.p.style.height = q.open ? '' : '0';
    q.p.inert = false;
    // A body hidden until found keeps its box, which would leave an empty region behind.
    if (!q.open) {
      q.p.setAttribute('hidden', until);
      q.p.setAttribute('aria-hidden', 'true');
    }
  }

  function step(now) {
    var list = running, full = [], i, q, p;
    frame = 0;
    running = [];
    // Every read of the frame before any write.
    for (i = 0; i < list.length; i++) if (list[i].dur < 0) full[i] = list[i].h || list[i].c.offsetHeight;
    for (i = 0; i < list.length; i++) {
      q = list[i];
      if (!q.t0) continue; // finished meanwhile without animation
      if (q.dur < 0) {
        if (q.from < 0) q.from = full[i];
        if (q.to < 0) q.to = full[i];
        q.dur = Math.min(1500, Math.abs(q.to - q.from) * 50 / 3 / speed);
      }
      p = q.dur ? Math.max(0, (now - q.t0) / q.dur) : 1;
      if (p >= 1) done(q);
      else {
        q.cur = q.from + (q.to - q.from) * (1 - Math.cos(Math.PI * p)) / 2;
        q.p.style.height = q.cur + 'px';
        running.push(q);
      }
    }
    if (running.length) frame = w.requestAnimationFrame(step);
  }

  function own(el) { var q = el && el._zub; return q && panels[q.i] === q ? q : null; }
  area.addEventListener('click', function (e) {
    var q = own(e.target.closest && e.target.closest('.zb'));
    if (q) toggle(q, !q.open, true);
  });
  // Find in page and text fragments reveal a collapsed body; open its panel at once.
  area.addEventListener('beforematch', function (e) {
    var q = own(e.target);
    if (q) toggle(q, true, false);
  });
  function drop() { this.parentNode.removeChild(this); }

  // Beyond six panels named regions would crowd the page's landmarks; groups keep the names.
  var role = titles.length > 6 ? 'group' : 'region', frag = d.createDocumentFragment();
  for (i = 0; i < titles.length; i++) {
    var h = d.createElement('h' + level), b = d.createElement('button'), p = d.createElement('div'),
      c = d.createElement('div'), label = d.createElement('span'), icon = str(icons[i], ''),
      q = { i: i, b: b, p: p, c: c, h: num(heights[i], 0, 1), open: flags[i] == 1 };
    h.className = 'zh';
    b.type = 'button';
    b.className = 'zb';
    b.id = id + 't' + i;
    b.setAttribute('aria-controls', p.id = id + 'p' + i);
    b.setAttribute('aria-expanded', q.open);
    if (icon) {
      var im = d.createElement('img');
      im.className = 'zi';
      im.alt = '';
      im.onerror = drop;
      im.src = icon;
      b.appendChild(im);
    }
    label.className = 'zt';
    label.innerHTML = tfs + str(titles[i], '') + tfe;
    b.appendChild(label);
    h.appendChild(b);
    p.className = 'zp';
    p.setAttribute('role', role);
    p.setAttribute('aria-labelledby', b.id);
    c.className = 'zc';
    // A height that is not a positive number lets the body fit its content.
    if (q.h) c.style.height = q.h + 'px';
    c.innerHTML = pfs + str(data[i], '') + pfe;
    p.appendChild(c);
    b._zub = p._zub = q;
    done(q);
    panels.push(q);
    frag.appendChild(h);
    frag.appendChild(p);
  }
  area.appendChild(frag);

  var at = d.currentScript, host = at && at.parentNode;
  if (host && host != d.head) host.insertBefore(area, at);
  else if (d.body) d.body.insertBefore(area, d.body.firstChild);
  else d.addEventListener('DOMContentLoaded', function () { d.body.insertBefore(area, d.body.firstChild); });
})(window, document);
