#include "PrototypeScript.h"

// The script runs the same touch rules as PreviewModel, over the data the writer puts in
// the page: keep the two in step (the browser test holds them to the same touches).

namespace PrototypeScript {

QString StyleSheet()
{
    return QStringLiteral(R"CSS(
body { margin: 0; background: #1b1f27; color: #e8edf4; font: 14px sans-serif; }
header { display: flex; gap: 12px; align-items: center; padding: 8px 12px; background: #262c37; }
header button { font: inherit; padding: 4px 14px; }
#page-name { font-weight: bold; }
#stage { position: relative; margin: 12px; touch-action: none; user-select: none; display: inline-block; }
section.page { position: absolute; left: 0; top: 0; overflow: hidden; }
section.page[hidden] { display: none; }
#stage > section.page { position: relative; }
section.page > img.picture { position: absolute; left: 0; top: 0; pointer-events: none; }
section.page > img.over { position: absolute; pointer-events: none; }
.el { position: absolute; box-sizing: border-box; }
.el[data-role="passive"] { pointer-events: none; }
.el[data-role="container"] { overflow: hidden; }
.el > img.pressed { position: absolute; display: none; pointer-events: none; }
.el.pressed > img.pressed { display: block; }
.el > .level-band { position: absolute; background: rgba(246, 176, 72, 0.376); pointer-events: none; }
.el > .level-band.vertical { left: 0; right: 0; bottom: 0; border-top: 3px solid rgb(246, 176, 72); }
.el > .level-band.horizontal { left: 0; top: 0; bottom: 0; border-right: 3px solid rgb(246, 176, 72); }
footer { margin: 0 12px 12px; padding: 8px; background: #10141a; max-height: 12em; overflow-y: auto;
         font: 13px monospace; white-space: pre-wrap; }
)CSS");
}

QString Script()
{
    return QStringLiteral(R"JS(
'use strict';
(function () {
  const data = JSON.parse(document.getElementById('prototype-data').textContent);
  const els = data.elements, pages = data.pages, T = data.texts;
  const LOG_LIMIT = 500, HISTORY_LIMIT = 100, NESTING = 8, NESTED_PAGE_BUDGET = 256;
  const stage = document.getElementById('stage');
  let st = null;

  function format(f, args) {
    let i = 0;
    return f.replace(/%%|%[ds]/g, m => (m === '%%' ? '%' : (i < args.length ? String(args[i++]) : '')));
  }
  function contains(r, x, y) { return x >= r[0] && x < r[2] && y >= r[1] && y < r[3]; }

  function reset() {
    st = { shown: data.start, history: [], held: null, latched: {}, levels: {}, sub: {}, log: [] };
    els.forEach((e, k) => {
      if (e.role === 'button') st.latched[k] = e.lit;
      if (e.role === 'container') st.sub[k] = e.sub;
    });
  }

  // The element a touch reaches: the topmost one with a role under it; a container hands
  // the touch to its sub-page or swallows it.
  function hitAt(p, x, y, via, depth) {
    if (p < 0 || depth > NESTING) return null;
    const lx = x + via.dx, ly = y + via.dy;
    const list = pages[p].elements;
    for (let i = list.length - 1; i >= 0; --i) {
      const k = list[i], e = els[k];
      if (e.hidden || e.role === 'passive' || !contains(e.rect, lx, ly)) continue;
      const hit = { k: k, dx: via.dx, dy: via.dy, container: via.container, outermost: via.outermost };
      if (e.role !== 'container') return hit;
      const s = st.sub[k];
      if (s < 0) return null;
      const b = e.rect, sr = pages[s].rect;
      const part = [b[0], b[1], b[0] + Math.min(b[2] - b[0], sr[2] - sr[0]), b[1] + Math.min(b[3] - b[1], sr[3] - sr[1])];
      if (!contains(part, lx, ly)) return null;
      return hitAt(s, x, y, { dx: via.dx + sr[0] - b[0], dy: via.dy + sr[1] - b[1], container: k,
                              outermost: via.outermost >= 0 ? via.outermost : k }, depth + 1);
    }
    return null;
  }
  const top = () => ({ dx: 0, dy: 0, container: -1, outermost: -1 });

  function levelAt(e, x, y) {
    const r = e.rect, len = e.vertical ? r[3] - r[1] : r[2] - r[0];
    if (len <= 0) return 0;
    const along = Math.min(Math.max(e.vertical ? r[3] - y : x - r[0], 0), len);
    return Math.floor((2 * along * e.max + len) / (2 * len));
  }
  function setLevel(x, y) {
    const h = st.held;
    st.levels[h.k] = levelAt(els[h.k], x + h.dx, y + h.dy);
  }
  function addLog(entry) {
    st.log.push(entry);
    if (st.log.length > LOG_LIMIT) st.log.shift();
  }
  function entryFor(e) {
    return { page: pages[e.page].name, element: e.name, code: 0, level: -1, channel: 0, command: '',
             jump: '', detail: '', runtime: false };
  }
  function showPage(p) {
    if (p === st.shown) return;
    st.history.push(st.shown);
    if (st.history.length > HISTORY_LIMIT) st.history.shift();
    st.shown = p;
  }

  function act(k, hit) {
    const e = els[k];
    if (e.group !== null) {
      pages[e.page].elements.forEach(j => {
        const o = els[j];
        if (o.role === 'button' && o.group === e.group) st.latched[j] = j === k;
      });
    }
    const entry = entryFor(e);
    entry.code = e.code;
    entry.command = e.command;
    entry.detail = e.detail;
    if (e.jump >= 0) {
      const t = e.jump;
      entry.jump = pages[t].name;
      if (pages[t].sub) {
        let c = hit.container;
        if (c < 0) {
          const found = pages[st.shown].elements.find(j => els[j].role === 'container' && !els[j].hidden && els[j].page !== t);
          c = found === undefined ? -1 : found;
        }
        if (c >= 0 && els[c].page !== t) st.sub[c] = t; else showPage(t);
      } else {
        showPage(t);
      }
    }
    if (entry.code !== 0 || entry.command || entry.detail || entry.jump) addLog(entry);
  }

  function press(x, y) {
    if (st.held) return;
    st.held = hitAt(st.shown, x, y, top(), 0);
    if (st.held && els[st.held.k].role === 'level') setLevel(x, y);
  }
  function drag(x, y) {
    if (st.held && els[st.held.k].role === 'level') setLevel(x, y);
  }
  function release(x, y) {
    if (!st.held) return;
    if (els[st.held.k].role === 'level') setLevel(x, y);
    const was = st.held;
    st.held = null;
    const now = hitAt(st.shown, x, y, top(), 0);
    const e = els[was.k];
    const entry = entryFor(e);
    if (e.role === 'button') {
      if (now && now.k === was.k) act(was.k, was);
      return;
    }
    if (e.role === 'level') {
      entry.level = st.levels[was.k];
      if (e.dante) entry.channel = e.channel; else entry.code = e.code;
    } else if (e.role === 'runtime') {
      if (!now || now.k !== was.k) return;
      entry.runtime = true;
    } else {
      return;
    }
    addLog(entry);
  }
  function back() {
    if (st.history.length === 0 || st.held) return;
    st.shown = st.history.pop();
  }

  function logText(e) {
    const parts = [];
    if (e.runtime) parts.push(T.runtime);
    if (e.code !== 0) parts.push(format(T.code, [e.code]));
    if (e.channel !== 0) parts.push(format(T.channel, [e.channel]));
    if (e.level >= 0) parts.push(format(T.level, [e.level]));
    if (e.command) parts.push('"' + e.command + '"');
    if (e.detail) parts.push(e.detail);
    if (e.jump) parts.push(format(T.jump, [e.jump]));
    return format(T.where, [e.page, e.element]) + ': ' + parts.join(' · ');
  }

  // ---- drawing: the page shown, its containers filled with their sub-pages, the looks
  const sections = {};
  stage.querySelectorAll(':scope > section.page').forEach(s => { sections[+s.dataset.index] = s; });

  let budget = 0;
  function fillContainers(section, depth) {
    section.querySelectorAll(':scope > .el[data-role="container"]').forEach(div => {
      const s = depth < NESTING && --budget >= 0 ? st.sub[+div.dataset.id] : -1;
      if (String(s) !== div.dataset.showing) {
        div.replaceChildren();
        div.dataset.showing = String(s);
        if (s >= 0) {
          const copy = sections[s].cloneNode(true);
          copy.removeAttribute('data-index');
          copy.hidden = false;
          copy.classList.add('sub');
          copy.querySelectorAll('.el[data-role="container"]').forEach(c => { c.replaceChildren(); delete c.dataset.showing; });
          div.appendChild(copy);
        }
      }
      const inner = div.querySelector(':scope > section.page');
      if (inner) fillContainers(inner, depth + 1);
    });
  }

  function render() {
    Object.keys(sections).forEach(i => { sections[i].hidden = +i !== st.shown; });
    budget = NESTED_PAGE_BUDGET;
    fillContainers(sections[st.shown], 0);
    stage.querySelectorAll('.el[data-role="button"]').forEach(d => {
      const k = +d.dataset.id;
      d.classList.toggle('pressed', (st.held !== null && st.held.k === k) || st.latched[k] === true);
    });
    stage.querySelectorAll('.el[data-role="level"]').forEach(d => {
      const k = +d.dataset.id, e = els[k];
      const band = d.querySelector('.level-band');
      const r = e.rect, len = e.vertical ? r[3] - r[1] : r[2] - r[0];
      const level = Math.min(Math.max(st.levels[k] || 0, 0), e.max);
      const px = Math.floor(len * level / e.max) + 'px';
      if (e.vertical) band.style.height = px; else band.style.width = px;
      band.hidden = !(k in st.levels);
    });
    document.getElementById('page-name').textContent = pages[st.shown].name;
    document.getElementById('back').disabled = st.history.length === 0;
    const footer = document.getElementById('log');
    footer.textContent = st.log.map(logText).join('\n');
    footer.scrollTop = footer.scrollHeight;
  }

  function point(ev) {
    const box = sections[st.shown].getBoundingClientRect(), r = pages[st.shown].rect;
    return [Math.floor(ev.clientX - box.left) + r[0], Math.floor(ev.clientY - box.top) + r[1]];
  }
  stage.addEventListener('pointerdown', ev => {
    if (ev.button !== 0) return;
    stage.setPointerCapture(ev.pointerId);
    press(...point(ev));
    render();
    ev.preventDefault();
  });
  stage.addEventListener('pointermove', ev => {
    if (!st.held) return;
    drag(...point(ev));
    render();
  });
  stage.addEventListener('pointerup', ev => { release(...point(ev)); render(); });
  stage.addEventListener('pointercancel', () => { st.held = null; render(); });
  document.getElementById('back').addEventListener('click', () => { back(); render(); });
  document.getElementById('reset').addEventListener('click', () => { reset(); render(); });

  reset();
  render();
  // For people and tests who want to read the state.
  window.prototypeState = () => ({ page: pages[st.shown].name, log: st.log.map(logText),
    pressed: Object.keys(st.latched).filter(k => st.latched[k]).map(k => pages[els[k].page].name + '/' + els[k].name) });
})();
)JS");
}

}
