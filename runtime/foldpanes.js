/* foldpanes.js: draws the panel bar of an Orvella script file. Readable source: runtime/src/foldpanes.js */
(function (w, d) {
'use strict';
function v(name) { return w['ZUB_' + name]; }
function str(x, def) { return x == null ? def : '' + x; }
function num(x, def, size) {
x = Math.min(parseFloat(x), 1e5);
return x > 0 || (x == 0 && !size) ? x : size || x != x ? def : 0;
}
function list(x) { return x == null ? [] : Array.isArray(x) ? x : [x]; }
var id = 'zub' + (w.ZUB_Bars = (w.ZUB_Bars || 0) + 1), s = '#' + id,
titles = list(v('PanelsTitle')), heights = list(v('PanelsHeight')),
flags = list(v('PanelsExpansion')), icons = list(v('PanelsIcon')), data = list(v('PanelsData')),
tfs = str(v('TitlesFontStart'), '<font face="Tahoma" size=2><b>'),
tfe = str(v('TitlesFontEnd'), '</b></font>'),
pfs = str(v('PanelsFontStart'), '<font face=Tahoma size=2>'),
pfe = str(v('PanelsFontEnd'), '</font>'),
speed = num(v('MovementSpeed'), 15, 1),
path = str(v('ThemePath'), 'zubtheme\\').replace(/\\/g, '/'),
theme = w.ZUB_Theme || {},
until = 'onbeforematch' in d.documentElement ? 'until-found' : '',
motion = w.matchMedia && w.matchMedia('(prefers-reduced-motion: reduce)'),
level = Math.min(Math.max(parseInt(v('HeadingLevel'), 10) || 3, 1), 6),
area = d.createElement('div'), style = d.createElement('style'),
running = [], frame = 0, later = [], i;
if (path == '/') path = '';
else if (path && path.slice(-1) != '/') path += '/';
function t(name, def) { return theme[name] != null ? theme[name] : def; }
function img(url) { return 'url("' + url.replace(/\\/g, '/').replace(/["\n\r]/g, encodeURIComponent) + '")'; }
function px(name, def) { return num(v(name), def) + 'px'; }
var bar = num(t('titleHeight'), 24, 1), knob = num(t('buttonSize'), 16, 1),
high = num(v('AreaHeight'), 1000, 1), gap = num(v('PanelsTopSpace'), 15),
css = s + '{position:absolute;box-sizing:border-box;overflow:auto;left:' + px('AreaLeft', 0) +
';top:' + px('AreaTop', 0) + ';width:' + num(v('AreaWidth'), 250, 1) +
'px;max-height:' + high + 'px;z-index:' + Math.round(num(v('ZIndex'), 0)) +
';padding:0 ' + px('PanelsRightSpace', 10) + ' 0 ' + px('PanelsLeftSpace', 10) + '}' +
s + ' .zw{margin-top:' + gap + 'px}' +
s + ' .zh{margin:0;padding:0;font:inherit}' +
s + ' .zb{display:block;position:relative;box-sizing:border-box;width:100%;height:' + bar +
'px;margin:0;padding:0;border:0;border-radius:0;font:inherit;text-align:left;cursor:pointer;color:' +
t('titleColor', '#000') + ';background:' + img(path + 'pcl.gif') + ' no-repeat 0 0,' + img(path + 'pcr.gif') +
' no-repeat 100% 0,' + img(path + 'pc.gif') + ' repeat-x 0 0 ' + t('titleBackground', '#ddd') + '}' +
s + ' .zt{position:absolute;left:' + px('TitlesLeft', 22) + ';top:' + px('TitlesTop', 5) + ';right:' + (knob + 10) +
'px;font-size:13px;line-height:1.2;white-space:nowrap;overflow:hidden;text-overflow:ellipsis}' +
s + ' .zb:before{position:absolute;line-height:0;left:' + px('IconsLeft', 6) + ';top:' + px('IconsTop', 6) + '}' +
s + ' .zb:after{content:"";position:absolute;right:6px;top:' + (bar - knob) / 2 + 'px;width:' + knob +
'px;height:' + knob + 'px;background:' + img(path + 'eb.gif') + ' no-repeat}' +
s + ' .zb[aria-expanded=true]:after{background-image:' + img(path + 'cb.gif') + '}' +
s + ' .zb:hover{filter:brightness(1.07)}' +
s + ' .zb:focus-visible{outline:2px solid ' + t('focusColor', '#1a73e8') + ';outline-offset:-2px}' +
s + ' .zp{overflow:hidden;contain:style}' +
s + ' .zc{box-sizing:border-box;overflow:auto;padding:' + px('PanelsTextTop', 5) + ' ' + px('PanelsTextLeft', 5) +
';color:' + t('bodyColor', '#000') + ';background:' + img(path + 'panel.gif') + ' repeat-x ' +
t('bodyBackground', '#fff') + ';border:1px solid ' + t('borderColor', '#ccc') + ';border-top:0}' +
s + ' .zc a{color:' + t('linkColor', '#00e') + '}' +
'@media print{' + s + '{position:static;max-height:none;overflow:visible}' +
s + ' .zp,' + s + ' .zc{height:auto!important;overflow:visible}' +
s + ' .zp[hidden]{display:block!important;content-visibility:visible!important}}';
function state(b) {
var p = b.parentNode.nextSibling;
return b._zub || (b._zub = { b: b, p: p, c: p.firstChild, h: parseFloat(p.firstChild.style.height) || 0,
open: b.getAttribute('aria-expanded') == 'true', cur: b.getAttribute('aria-expanded') == 'true' ? -1 : 0 });
}
function toggle(q, open, animate) {
if (q.open == open) return;
q.open = open;
q.b.setAttribute('aria-expanded', open);
if (!open && q.p.contains(d.activeElement)) q.b.focus();
if (open) {
rest();
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
q.cur = q.open ? -1 : 0;
q.p.style.height = q.open ? '' : '0';
if (!q.open) {
q.p.setAttribute('hidden', until);
q.p.setAttribute('aria-hidden', 'true');
}
}
function step(now) {
var list = running, full = [], i, q, p;
frame = 0;
running = [];
for (i = 0; i < list.length; i++) if (list[i].dur < 0) full[i] = list[i].h || list[i].c.offsetHeight;
for (i = 0; i < list.length; i++) {
q = list[i];
if (!q.t0) continue;
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
area.addEventListener('click', function (e) {
var b = e.target.closest && e.target.closest('.zb');
if (b && b.parentNode.parentNode.parentNode.parentNode == area) toggle(state(b), !state(b).open, true);
});
area.addEventListener('beforematch', function (e) {
if (e.target.parentNode.parentNode.parentNode == area) toggle(state(e.target.previousSibling.firstChild), true, false);
});
function parse(texts) {
var t = d.createElement('template'), out, k;
t.innerHTML = '<template>' + texts.join('</template><template>') + '</template>';
out = t.content.children;
if (out.length != texts.length) {
out = [];
for (k = 0; k < texts.length; k++) (out[k] = d.createElement('template')).innerHTML = texts[k];
}
return out;
}
function insert(pairs) {
var texts = [], k;
for (k = 1; k < pairs.length; k += 2) texts.push(pairs[k]);
for (texts = parse(texts), k = 0; k < texts.length; k++) pairs[2 * k].appendChild(texts[k].content);
}
function rest() {
var pairs = later;
later = [];
build(titles.length, pairs, pairs);
if (pairs.length) insert(pairs);
}
var mark = '\uE000';
function wrap(start, end) {
var f = d.importNode(parse([start + mark + end])[0].content, true), n = f, route = [], k;
while (n && n.nodeType != 3) {
for (k = 0; k < n.childNodes.length && n.childNodes[k].textContent.indexOf(mark) < 0; k++);
route.push(k);
n = n.childNodes[k];
}
return n && f.textContent.split(mark).length == 2 && { f: f, route: route, cut: n.data.split(mark) };
}
function fill(el, how, start, end, text, pairs) {
var f, n, k;
if (how && !/[<&\r\0\uE000]|^\n|^\s*$/.test(text)) {
n = f = how.f.cloneNode(true);
for (k = 0; k < how.route.length; k++) n = n.childNodes[how.route[k]];
n.data = how.cut[0] + text + how.cut[1];
el.appendChild(f);
} else pairs.push(el, start + text + end);
}
var role = titles.length > 6 ? 'group' : 'region', made = 0, used = 0, size = Math.ceil(Math.sqrt(titles.length)), group,
titleWrap = wrap(tfs, tfe), bodyWrap = wrap(pfs, pfe), first = [], iconClass = {}, k = 0,
heading = '<div class=zw><h' + level + ' class=zh><button type=button class=zb aria-expanded=',
label = '><span class=zt></span></button></h' + level + '><div class=zp role=' + role,
closed = d.createElement('template'), opened = d.createElement('template');
opened.innerHTML = heading + 'true' + label + '><div class=zc></div></div></div>';
closed.innerHTML = heading + 'false' + label + ' hidden="' + until + '" aria-hidden=true style=height:0><div class=zc></div></div></div>';
opened = d.importNode(opened.content, true);
closed = d.importNode(closed.content, true);
function build(to, pairs, lazy) {
for (var frag = d.createDocumentFragment(), more = css; made < to; made++) {
var shown = flags[made] == 1, panel = (shown ? opened : closed).cloneNode(true),
b = panel.firstChild.firstChild.firstChild, p = panel.firstChild.lastChild, c = p.firstChild, h = num(heights[made], 0, 1), icon;
b.id = id + 't' + made;
b.setAttribute('aria-controls', p.id = id + 'p' + made);
p.setAttribute('aria-labelledby', b.id);
if ((icon = str(icons[made], ''))) {
if (!iconClass[icon]) {
iconClass[icon] = 'zb zi' + ++k;
css += s + ' .zi' + k + ':before{content:' + img(icon) + ';content:' + img(icon) + ' / ""}';
}
b.className = iconClass[icon];
}
fill(b.firstChild, titleWrap, tfs, tfe, str(titles[made], ''), pairs);
if (h) c.style.height = h + 'px';
fill(c, bodyWrap, pfs, pfe, str(data[made], ''), shown ? pairs : lazy);
if (made % size == 0) frag.appendChild(group = d.createElement('div'));
group.appendChild(panel);
}
if (css != more) style.textContent = css;
area.appendChild(frag);
}
for (i = 0; i < titles.length && used < high; i++) used += gap + bar + (flags[i] == 1 ? num(heights[i], 0, 1) : 0);
style.textContent = css;
build(i, first, later);
insert(first);
(d.head || d.documentElement).appendChild(style);
area.id = id;
area.className = 'zub';
w.addEventListener('beforeprint', rest);
var at = d.currentScript, host = at && at.parentNode;
function place() { d.body.insertBefore(area, d.body.firstChild); }
if (host && host != d.head) host.insertBefore(area, at);
else if (d.body) place();
else d.addEventListener('DOMContentLoaded', place);
if (d.readyState == 'loading') d.addEventListener('DOMContentLoaded', rest);
else rest();
})(window, document);
