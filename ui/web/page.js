// The page's side of the windows: the behaviours the browser has no element
// for. The program (ui/web) makes the elements, places them, and tells this
// script which behaviour each takes; what the user does goes back to the
// program as numbers (Module._tavrelo_*): `position` names a control of one
// of the forms on the page, as the program numbered it.
var tv = {
  e: [],  // the program's elements, by handle
  scale: 1,

  measure: function (font) {
    var c = tv.canvas || (tv.canvas = document.createElement("canvas").getContext("2d"));
    c.font = font;
    return c;
  },

  // --- Editable combo box: typing is typing; a pick from the open list (pointer,
  // or the arrow keys and Enter), an arrow key or the wheel in the closed box
  // picks. The program then sets the text and the index.
  combo: function (box, field, button, position, entries) {
    box.entries = entries.split("\n");
    box.index = -1;
    box.field = field;
    var typed = function (e) { if (!e.isComposing) Module._tavrelo_typed(position); };
    field.addEventListener("input", typed);
    field.addEventListener("compositionend", typed);
    field.addEventListener("blur", tv.closeList);
    field.addEventListener("keydown", function (e) {
      var k = e.key, list = tv.list && tv.list.box === box ? tv.list : null;
      var arrow = k === "ArrowDown" ? 1 : k === "ArrowUp" ? -1 : 0;
      if ((arrow && e.altKey) || k === "F4") list ? tv.closeList() : tv.openList(box, position);
      else if (arrow) list ? tv.highlight(list.on < 0 && arrow < 0 ? list.children.length - 1 : list.on + arrow)
                           : tv.step(box, position, arrow);
      else if (list && k === "Enter") tv.pick(list.on, position);
      else if (list && k === "Escape") tv.closeList();
      else return;
      e.preventDefault();
    });
    button.addEventListener("mousedown", function (e) {
      if (e.button) return;
      e.preventDefault();
      field.focus();
      tv.list && tv.list.box === box ? tv.closeList() : tv.openList(box, position);
    });
    box.addEventListener("wheel", function (e) {
      if (document.activeElement !== field || tv.list || !e.deltaY) return;
      e.preventDefault();
      tv.step(box, position, e.deltaY > 0 ? 1 : -1);
    }, {passive: false});
  },
  step: function (box, position, by) {
    var i = box.index + by;
    if (i >= 0 && i < box.entries.length) Module._tavrelo_picked(position, i);
  },
  pick: function (i, position) {
    tv.closeList();
    if (i >= 0) Module._tavrelo_picked(position, i);
  },
  openList: function (box, position) {
    tv.closeList();
    var list = document.createElement("div"), form = box.closest(".tv-form"), rows = Math.min(box.entries.length, 10);
    list.className = "tv-list";
    list.id = "tv-list";
    list.setAttribute("role", "listbox");
    list.box = box;
    list.on = -1;
    box.entries.forEach(function (text, i) {
      var o = list.appendChild(document.createElement("div"));
      o.id = "tv-o" + i;
      o.textContent = text;
      o.setAttribute("role", "option");
      o.setAttribute("aria-selected", "false");
      o.addEventListener("mousedown", function (e) { e.preventDefault(); });
      o.addEventListener("mousemove", function () { tv.highlight(i); });
      o.addEventListener("click", function () { tv.pick(i, position); });
    });
    var b = box.getBoundingClientRect(), f = form.getBoundingClientRect(), s = tv.scale, height = rows * 16 + 2;
    var top = b.bottom + height * s <= innerHeight || b.top < height * s ? b.bottom : b.top - height * s;
    list.style.cssText = "left:" + (b.left - f.left) / s + "px;top:" + (top - f.top) / s + "px;min-width:" +
                         b.width / s + "px;height:" + height + "px";
    form.appendChild(list);
    tv.list = list;
    box.field.setAttribute("aria-expanded", "true");
    box.field.setAttribute("aria-controls", list.id);
    tv.highlight(box.index);
  },
  highlight: function (i) {
    var list = tv.list, items = list.children, o = items[i];
    if (!o) return;
    if (list.on >= 0) {
      items[list.on].className = "";
      items[list.on].setAttribute("aria-selected", "false");
    }
    list.on = i;
    o.className = "on";
    o.setAttribute("aria-selected", "true");
    list.box.field.setAttribute("aria-activedescendant", o.id);
    if (o.offsetTop < list.scrollTop) list.scrollTop = o.offsetTop;
    else if (o.offsetTop + o.offsetHeight > list.scrollTop + list.clientHeight)
      list.scrollTop = o.offsetTop + o.offsetHeight - list.clientHeight;
  },
  closeList: function () {
    var list = tv.list;
    if (!list) return;
    tv.list = null;
    list.remove();
    list.box.field.setAttribute("aria-expanded", "false");
    list.box.field.removeAttribute("aria-activedescendant");
  },

  // --- The button: a click or Space presses it, Enter never does.
  // A form's default button: Enter anywhere in its form presses it, but in
  // a text box or in a combo box whose list took the key.
  button: function (b, position, isDefault) {
    var press = function () { Module._tavrelo_pressed(position); };
    b.addEventListener("keydown", function (e) {
      if (e.key !== "Enter") return;
      e.preventDefault();
      if (isDefault) press();
    });
    b.addEventListener("click", press);
    if (isDefault) b.closest(".tv-form").addEventListener("keydown", function (e) {
      if (e.key !== "Enter" || e.defaultPrevented || e.isComposing || e.target.tagName === "TEXTAREA") return;
      e.preventDefault();
      press();
    });
  },

  // --- The result box and its context menu.
  resultBox: function (t, position) {
    var timer = 0, open = function (x, y) {
      clearTimeout(timer);
      if (!tv.menuEl) Module._tavrelo_menu(position, x, y);
    };
    var typed = function (e) { if (!e.isComposing) Module._tavrelo_typed(position); };
    t.addEventListener("input", typed);
    t.addEventListener("compositionend", typed);
    t.addEventListener("contextmenu", function (e) { e.preventDefault(); open(e.clientX, e.clientY); });
    t.addEventListener("keydown", function (e) {
      if (e.key !== "ContextMenu" && !(e.key === "F10" && e.shiftKey)) return;
      e.preventDefault();
      var r = t.getBoundingClientRect();
      open(r.left + 8, r.top + 8);
    });
    // A long touch opens it; the touch's end then must not reach the page as
    // a tap (whose mouse events would close the menu again).
    var held = false;
    t.addEventListener("touchstart", function (e) {
      var p = e.touches[0];
      held = false;
      clearTimeout(timer);
      timer = setTimeout(function () {
        held = true;
        open(p.clientX, p.clientY);
      }, 600);
    }, {passive: true});
    t.addEventListener("touchend", function (e) {
      clearTimeout(timer);
      if (held) e.preventDefault();
    });
    ["touchmove", "touchcancel"].forEach(function (type) {
      t.addEventListener(type, function () { clearTimeout(timer); }, {passive: true});
    });
  },
  menu: function (x, y, lines) {
    var items = lines.split("\n").map(function (line) { return line.split("\t"); }), m = document.createElement("div");
    m.className = "tv-menu";
    m.setAttribute("role", "menu");
    m.tabIndex = -1;
    m.style.font = tv.font;
    m.on = -1;
    m.back = document.activeElement;
    items.forEach(function (item, i) {
      var o = m.appendChild(document.createElement("div")), text = item[0], at = text.indexOf("&");
      if (item.length < 3) {
        o.className = "sep";
        o.setAttribute("role", "separator");
        return;
      }
      var label = o.appendChild(document.createElement("span"));
      label.append(at < 0 ? text : text.slice(0, at));
      if (at >= 0) {
        o.key = text.charAt(at + 1).toLowerCase();
        label.appendChild(document.createElement("u")).textContent = text.charAt(at + 1);
        label.append(text.slice(at + 2));
      }
      if (item[1]) {
        o.appendChild(document.createElement("span")).textContent = item[1];
        o.setAttribute("aria-keyshortcuts", item[1].replace("Ctrl", "Control").replace("Del", "Delete"));
      }
      o.id = "tv-m" + i;
      o.setAttribute("role", "menuitem");
      if (!item[2]) o.setAttribute("aria-disabled", "true");
      o.addEventListener("mousemove", function () { tv.menuOn(i); });
      o.addEventListener("mousedown", function (e) { e.preventDefault(); });
      o.addEventListener("click", function () { tv.choose(i); });
    });
    m.addEventListener("keydown", function (e) {
      var k = e.key, n = m.children.length, by = k === "ArrowDown" || k === "Home" ? 1 : k === "ArrowUp" || k === "End" ? -1 : 0;
      if (by) {
        var i = k === "Home" ? -1 : k === "End" ? n : m.on < 0 && by < 0 ? n : m.on;
        do i = (i + by + n) % n; while (m.children[i].className === "sep");
        tv.menuOn(i);
      } else if (k === "Enter" || k === " ") {
        if (m.on >= 0) tv.choose(m.on);
      } else if (k === "Escape" || k === "Tab" || k === "F10" || k === "ContextMenu") {
        tv.closeMenu(true);
      } else {
        for (var j = 0; j < n; j++) if (m.children[j].key === k.toLowerCase()) tv.choose(j);
      }
      e.preventDefault();
    });
    m.addEventListener("blur", function () { tv.closeMenu(false); });
    document.body.appendChild(m);
    // At the form's scale, as the rest of the window.
    var s = Math.max(1, tv.scale || 1), w = m.offsetWidth * s, h = m.offsetHeight * s;
    m.style.transformOrigin = "0 0";
    m.style.transform = "scale(" + s + ")";
    m.style.left = Math.max(0, Math.min(x, innerWidth - w)) + "px";
    m.style.top = Math.max(0, y + h > innerHeight ? y - h : y) + "px";
    tv.menuEl = m;
    m.focus();
  },
  menuOn: function (i) {
    var m = tv.menuEl;
    if (m.on >= 0) m.children[m.on].classList.remove("on");
    m.on = i;
    m.children[i].classList.add("on");
    m.setAttribute("aria-activedescendant", m.children[i].id);
  },
  choose: function (i) {
    if (tv.menuEl.children[i].getAttribute("aria-disabled")) return;
    tv.closeMenu(true);
    Module._tavrelo_menu_chosen(i);
  },
  closeMenu: function (back) {
    var m = tv.menuEl;
    if (!m) return;
    tv.menuEl = null;
    m.remove();
    if (back && m.back) m.back.focus();
  },
  edit: function (t, command) {
    t.focus();
    if (command === "selectAll") t.select();
    else if (command !== "paste") document.execCommand(command);
    else if (navigator.clipboard && navigator.clipboard.readText) navigator.clipboard.readText().then(function (s) {
      t.focus();
      document.execCommand("insertText", false, s);
    }, function () {});
  },
  // Both flavours at once, from within the user's click or key: the copy
  // event's clipboardData takes them without asking for a permission (from
  // file:// too). Where the browser sends no copy event, the asynchronous
  // clipboard; where that is refused, the plain text through a selected text.
  copy: function (text, html) {
    var put = function (e) {
      e.clipboardData.setData("text/plain", text);
      if (html) e.clipboardData.setData("text/html", html);
      e.preventDefault();
      put.done = true;
    };
    document.addEventListener("copy", put, true);
    try { document.execCommand("copy"); } catch (x) {}
    document.removeEventListener("copy", put, true);
    if (put.done) return;
    var old = function () {
      var a = document.createElement("textarea"), back = document.activeElement;
      a.value = text;
      a.setAttribute("aria-hidden", "true");
      a.style.cssText = "position:fixed;left:0;top:0;opacity:0";
      document.body.appendChild(a);
      a.select();
      document.execCommand("copy");
      a.remove();
      if (back) back.focus();
    }, c = navigator.clipboard;
    if (c && c.write && window.ClipboardItem && html) {
      var blob = function (s, type) { return new Blob([s], {type: type}); };
      c.write([new ClipboardItem({"text/plain": blob(text, "text/plain"), "text/html": blob(html, "text/html")})]).catch(old);
    } else if (c && c.writeText) c.writeText(text).catch(old);
    else old();
  },

  // --- The message of a failed press: modal, the focus held on its one
  // button until Enter, Esc or a click closes it; then the program puts the
  // focus into the field at fault, or it goes back where it was.
  message: function (form, title, text, button) {
    var cover = document.createElement("div"), box = cover.appendChild(document.createElement("div"));
    var back = document.activeElement, forms = document.querySelectorAll(".tv-form"), r = form.getBoundingClientRect();
    cover.className = "tv-cover";
    box.className = "tv-message";
    box.setAttribute("role", "alertdialog");
    box.setAttribute("aria-modal", "true");
    box.setAttribute("aria-labelledby", "tv-mt");
    box.setAttribute("aria-describedby", "tv-mm");
    box.style.cssText = "font:" + tv.font + ";left:" + (r.left + r.width / 2) + "px;top:" + (r.top + r.height / 2) +
                        "px;transform:translate(-50%,-50%) scale(" + Math.max(1, tv.scale || 1) + ")";
    var h = box.appendChild(document.createElement("h2"));
    h.id = "tv-mt";
    h.textContent = title;
    var p = box.appendChild(document.createElement("p"));
    p.id = "tv-mm";
    p.textContent = text;
    var b = box.appendChild(document.createElement("button"));
    b.type = "button";
    b.textContent = button;
    var close = function () {
      if (!cover.parentNode) return;
      cover.remove();
      [].forEach.call(forms, function (f) { f.inert = false; });
      if (!Module._tavrelo_message_closed() && back) back.focus();
    };
    b.addEventListener("click", close);
    b.addEventListener("blur", function (e) { if (cover.parentNode && e.relatedTarget) b.focus(); });
    box.addEventListener("keydown", function (e) {
      if (e.key === "Enter" || e.key === "Escape") close();
      else if (e.key !== "Tab") return;
      e.preventDefault();
    });
    cover.addEventListener("mousedown", function (e) { if (e.target !== b) e.preventDefault(); });
    tv.closeList();
    tv.closeMenu(false);
    [].forEach.call(forms, function (f) { f.inert = true; });
    document.body.appendChild(cover);
    b.focus();
  },

  // --- The form built: scaled as a whole, never reflowed; Tab kept going
  // round its fields, the first one focused. In a viewport narrower than the
  // form (a phone) it is scaled down to the width, at the top; in a wider one
  // it is scaled up by half steps to at most 2× while it fits, and centred.
  // A transform of the laid-out form: the browser draws it afresh at the new
  // size (crisp text and lines), and every element keeps its place in the
  // form's own pixels (offsetLeft and the like).
  ready: function (form, first) {
    tv.form = form;
    tv.font = getComputedStyle(form).font;
    if (!tv.started) {
      tv.started = true;
      // The room (vw × vh) is the viewport less its scrollbars, which the
      // form's last size may have needed: placed again (a few times at most)
      // while placing it gives room back or takes some.
      var fit = function () {
        var f = tv.form, v = document.documentElement, w = f.offsetWidth, h = f.offsetHeight, n = 3;
        do {
          var vw = v.clientWidth, vh = v.clientHeight, s = Math.min(1, vw / w), x = 0, y = 0;
          if (s === 1) {
            while (s < 2 && w * (s + 0.5) <= vw && h * (s + 0.5) <= vh) s += 0.5;
            x = ((vw - w * s) / 2) | 0;
            y = Math.max(0, ((vh - h * s) / 2) | 0);
          }
          tv.scale = s;
          f.style.transform = "translate(" + x + "px," + y + "px)scale(" + s + ")";
          f.style.marginBottom = (Math.min(1, s) - 1) * h + "px";
        } while (--n && (vw !== v.clientWidth || vh !== v.clientHeight));
      };
      addEventListener("resize", fit);
      tv.fit = fit;
      // The form or window that takes the focus comes to the front, as a
      // window does (its open list with it); menus and messages stay above.
      document.addEventListener("focusin", function (e) {
        var w = e.target.closest && (e.target.closest(".tv-window") || e.target.closest(".tv-form"));
        if (!w || w.style.zIndex === "1") return;
        [].forEach.call(document.querySelectorAll("body>.tv-form,body>.tv-window"), function (x) { x.style.zIndex = ""; });
        w.style.zIndex = "1";
      });
      // Tab goes round the fields of the form that has the focus (each
      // form numbers its own tab stops from 1, as a window does).
      // Undo and redo stay in the field they are pressed in, as in a desktop
      // window: the browser keeps one history for the whole page, and would
      // change a field the user is not in (perhaps a hidden one).
      document.addEventListener("beforeinput", function (e) {
        var t = e.inputType;
        if ((t === "historyUndo" || t === "historyRedo") && e.target !== document.activeElement) e.preventDefault();
      }, true);
      // A click on a form's background, a frame or a label keeps the focus
      // where it is, as in a desktop window; a label for a field passes its
      // click on to the field.
      document.addEventListener("mousedown", function (e) {
        var t = e.target;
        if (t.closest && t.closest(".tv-form") && !t.closest("input,textarea,button,label[for]")) e.preventDefault();
      });
      document.addEventListener("keydown", function (e) {
        if (e.key !== "Tab" || e.defaultPrevented || e.altKey || e.ctrlKey || e.metaKey) return;
        var form = document.activeElement && document.activeElement.closest(".tv-form");
        if (!form) return;
        var stops = [].filter.call(form.querySelectorAll("[tabindex]"), function (x) {
          return x.tabIndex > 0 && x.getClientRects().length;
        }).sort(function (a, b) { return a.tabIndex - b.tabIndex; });
        var at = stops.indexOf(document.activeElement), n = stops.length;
        if (!n) return;
        e.preventDefault();
        stops[at < 0 ? 0 : (at + (e.shiftKey ? n - 1 : 1)) % n].focus();
      });
    }
    tv.fit();
    first.focus();
    requestAnimationFrame(function () { setTimeout(function () { performance.mark("tavrelo-painted"); }); });
  },
  // A window opened from the main one: a frame of its own with the form's
  // caption and a close button, over the page (never modal), dragged by its
  // title; shown at the main form's scale, the focus into its first field,
  // and given back where it was when it closes.
  window: function (w, bar, close, position) {
    close.addEventListener("click", function () { Module._tavrelo_closed(position); });
    close.addEventListener("mousedown", function (e) { e.stopPropagation(); });
    bar.addEventListener("mousedown", function (e) {
      if (e.button) return;
      e.preventDefault();
      var x = e.clientX - w.offsetLeft, y = e.clientY - w.offsetTop;
      var move = function (m) {
        w.style.left = Math.max(0, m.clientX - x) + "px";
        w.style.top = Math.max(0, m.clientY - y) + "px";
      };
      var up = function () {
        removeEventListener("mousemove", move);
        removeEventListener("mouseup", up);
      };
      addEventListener("mousemove", move);
      addEventListener("mouseup", up);
    });
  },
  // Shown at the main form's scale; placed the first time (the program
  // decides where, from tv.rects), the focus into `first`.
  show: function (w, first) {
    var shown = w.style.display !== "none", v = document.documentElement;
    w.style.display = "";
    // At the main form's scale where the viewport has room for the whole
    // window (its close button included), else as large as it has room for.
    var s = Math.min(tv.scale || 1, v.clientWidth / w.offsetWidth, v.clientHeight / w.offsetHeight);
    if (s > 1) s = Math.floor(s * 2) / 2;
    w.style.transform = "scale(" + s + ")";
    if (!shown) w.back = document.activeElement;
    first.focus();
    return w.placed ? 1 : 0;
  },
  // The main form's, the window's and the viewport's rects, in CSS pixels.
  rects: function (w) {
    var f = tv.form.getBoundingClientRect(), r = w.getBoundingClientRect(), v = document.documentElement;
    return [f.left, f.top, f.width, f.height, r.width, r.height, v.clientWidth, v.clientHeight].map(Math.round).join(" ");
  },
  place: function (w, x, y) {
    w.style.left = x + "px";
    w.style.top = y + "px";
    w.placed = true;
  },
  hide: function (w) {
    var inside = w.contains(document.activeElement);
    w.style.display = "none";
    if (inside && w.back && w.back.isConnected) w.back.focus();
  },
  remove: function (form) {
    tv.closeList();
    tv.closeMenu(false);
    [].forEach.call(document.querySelectorAll(".tv-cover"), function (c) { c.remove(); });
    form.remove();
    tv.e = tv.e.map(function (e) { return e && form.contains(e) ? null : e; });
    if (!document.querySelector(".tv-form")) tv.e = [];
  }
};

// The module comes inside the page, gzip-compressed and in base64, as the
// string tvModule (pack_page.py writes it): a page opened from disk can
// fetch no file beside it, and compressed the module takes less than half
// the room base64 alone gave it.
Module.instantiateWasm = function (imports, receive) {
  var text = atob(tvModule), bytes = new Uint8Array(text.length);
  for (var i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);
  var module = new Blob([bytes]).stream().pipeThrough(new DecompressionStream("gzip"));
  new Response(module).arrayBuffer()
    .then(function (binary) { return WebAssembly.instantiate(binary, imports); })
    .then(function (result) { receive(result.instance); }, abort);
  return {};
};
