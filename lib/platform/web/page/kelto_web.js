// The page's half of KELTO's web display. The program runs in a Web Worker
// (kelto_worker.js, which lib/platform/web/page.cpp calls), so the page stays
// responsive whatever the program does; this half does all the DOM. The
// program's windows become framed panels with a title, a menu bar and a
// canvas showing the frames the worker sends; its dialogs become <dialog>s.
// What the user does goes to the worker as input records. A program that has
// not waited for 3 s gets a "Not responding" bar whose Stop button ends the
// worker; a program that traps is reported, its last picture kept. The page
// also saves and loads the script file KELTO.SCR, which lives in the worker.
'use strict';

const KeltoPage = (() => {
  // Input record kinds, shared with page_input.h.
  const INPUT = { MouseDown: 1, KeyDown: 2, KeyUp: 3, Command: 4, Close: 5, Focus: 6, ItemText: 7 };
  const IDOK = 1;
  const IDCANCEL = 2;
  const SCRIPT_NAME = 'KELTO.SCR';
  const LARGEST_SCRIPT = 16 * 1024 * 1024;
  const NOT_RESPONDING_MS = 3000;

  // What tests and curious users can read: the state of the program.
  const api = {
    waits: 0,       // waits begun
    wakes: 0,       // waits ended, by input or by their deadline
    waiting: false, // the program is suspended in a wait
    deadline: -1,   // the waiting program's deadline (performance.now()), -1 for none
    ended: null,    // the program's exit status once it has ended
    aborted: null,  // why the program stopped, if it crashed
    stopped: false, // the user stopped a program that did not respond
    printed: [],    // what the program wrote to its standard output and error
    hints: [],      // the library's advice to the programmer
  };

  const here = document.currentScript.src;
  const desktop = document.getElementById('kelto-desktop');
  const status = document.getElementById('kelto-status');
  const setStatus = (text) => { status.textContent = text; };

  function element(tag, className, text) {
    const made = document.createElement(tag);
    if (className) made.className = className;
    if (text !== undefined) made.textContent = text;
    return made;
  }

  // ---------------------------------------------------------------- The worker and its waits
  let worker = null;
  let pending = 0;  // input records sent that the program has not taken yet
  let lastHint = '';

  const running = () => worker !== null;

  function post(record) {
    if (!running()) return;
    ++pending;
    worker.postMessage({ op: 'input', record });
  }

  api.queued = () => pending;  // input records the program has not taken yet

  // The "Not responding" bar: shown when the program has run for 3 s
  // without waiting or giving the browser a turn; one timer, re-armed by
  // each sign of life, so an idle page runs no code.
  const notResponding = element('div', 'kelto-not-responding');
  notResponding.setAttribute('role', 'alert');
  notResponding.hidden = true;
  const stop = element('button', '', 'Stop');
  stop.type = 'button';
  notResponding.append(element('span', '', 'Not responding \u2014 the program has not waited ' +
                                              'for events for 3 seconds. '), stop);
  status.parentElement.after(notResponding);
  let silenceTimer = 0;

  function programRuns() {
    clearTimeout(silenceTimer);
    notResponding.hidden = true;
    silenceTimer = setTimeout(() => { if (running() && !api.waiting) notResponding.hidden = false; },
                              NOT_RESPONDING_MS);
  }

  function programWaits() {
    clearTimeout(silenceTimer);
    notResponding.hidden = true;
  }

  // The run is over: the worker ends, the windows keep their last picture,
  // and a dialog of the program no longer holds the page.
  function endRun(text) {
    worker?.terminate();
    worker = null;
    pending = 0;
    api.waiting = false;
    programWaits();
    closeMenu();
    for (const handle of [...dialogs.keys()]) closeDialog(handle);
    setStatus(text);
  }

  stop.addEventListener('click', () => {
    api.stopped = true;
    endRun('The program was stopped: it had not waited for events for 3 seconds.');
  });

  function wait(left) {
    ++api.waits;
    api.waiting = true;
    api.deadline = left >= 0 ? performance.now() + left : -1;
    programWaits();
  }

  function run(woken) {
    if (woken) ++api.wakes;
    api.waiting = false;
    api.deadline = -1;
    programRuns();
  }

  // ---------------------------------------------------------------- Windows
  const windows = new Map();  // handle -> { frame, menuBar, canvas, context, menus }
  let focused = 0;

  function focusWindow(handle) {
    if (focused === handle) return;
    windows.get(focused)?.frame.classList.remove('kelto-active');
    focused = handle;
    windows.get(focused)?.frame.classList.add('kelto-active');
    post({ kind: INPUT.Focus, window: handle });
  }
  // Keys released while the page has no focus never arrive: the program is
  // told that its window lost the focus, and gets it back with the page.
  window.addEventListener('blur', () => post({ kind: INPUT.Focus, window: 0 }));
  window.addEventListener('focus', () => {
    if (focused) post({ kind: INPUT.Focus, window: focused });
  });

  // The client position of a mouse event, also when CSS scales the canvas.
  function clientPosition(canvas, event) {
    const box = canvas.getBoundingClientRect();
    return {
      x: Math.floor((event.clientX - box.left) * canvas.width / box.width),
      y: Math.floor((event.clientY - box.top) * canvas.height / box.height),
    };
  }

  // A window's or dialog's title bar; its close box asks the program.
  function makeTitleBar(handle, title, closeBox) {
    const titleBar = element('div', 'kelto-title');
    titleBar.append(element('span', '', title));
    if (closeBox) {
      const close = element('button', '', '\u00d7');
      close.type = 'button';
      close.title = 'Close';
      close.addEventListener('click', () => post({ kind: INPUT.Close, window: handle }));
      titleBar.append(close);
    }
    return titleBar;
  }

  function windowCreated(handle, title, sizable, closeBox) {
    const frame = element('section', 'kelto-window');
    frame.hidden = true;
    frame.dataset.title = title;
    const titleBar = makeTitleBar(handle, title, closeBox);
    const menuBar = element('nav', 'kelto-menubar');
    menuBar.hidden = true;
    const client = element('div', 'kelto-client');
    const canvas = element('canvas');
    canvas.width = 0;
    canvas.height = 0;
    client.append(canvas);
    frame.append(titleBar, menuBar, client);
    frame.classList.toggle('kelto-sizable', sizable);
    frame.addEventListener('mousedown', () => focusWindow(handle));
    canvas.addEventListener('mousedown', (event) => {
      event.preventDefault();  // no text selection, no drag
      focusWindow(handle);
      if (event.button !== 0) return;
      const { x, y } = clientPosition(canvas, event);
      post({ kind: INPUT.MouseDown, window: handle, a: x, b: y });
    });
    desktop.append(frame);
    windows.set(handle, { frame, menuBar, canvas, context: canvas.getContext('2d', { alpha: false }) });
  }

  function windowDestroyed(handle) {
    if (closeDialog(handle)) return;
    const win = windows.get(handle);
    if (!win) return;
    win.frame.remove();
    windows.delete(handle);
    if (focused === handle) focused = 0;
  }

  // Showing a window brings it to the front with the focus, as on a desktop.
  function windowShown(handle, visible) {
    const win = windows.get(handle);
    if (!win) return;
    win.frame.hidden = !visible;
    if (visible) focusWindow(handle);
  }

  // Shows a frame: a part of a client image as RGBA bytes, which the worker
  // handed over with the message.
  function present({ handle, width, height, left, top, across, down, rgba }) {
    const win = windows.get(handle);
    if (!win || across <= 0 || down <= 0) return;
    if (win.canvas.width !== width || win.canvas.height !== height) {
      win.canvas.width = width;
      win.canvas.height = height;
    }
    win.context.putImageData(new ImageData(new Uint8ClampedArray(rgba), across, down), left, top);
  }

  // ---------------------------------------------------------------- Menus
  // Menu text: "&" marks the mnemonic ("&&" is an ampersand), text after a
  // tab is the key hint.
  function menuText(text) {
    const [label, hint = ''] = text.split('\t');
    const shown = document.createDocumentFragment();
    let mnemonic = '';
    for (let i = 0; i < label.length; ++i) {
      if (label[i] === '&' && i + 1 < label.length) {
        ++i;
        if (label[i] !== '&' && !mnemonic) {
          mnemonic = label[i].toLowerCase();
          shown.append(element('u', '', label[i]));
          continue;
        }
      }
      shown.append(label[i]);
    }
    return { shown, hint, mnemonic };
  }

  let openMenu = null;  // { title, list, items: [{ mnemonic, choose }] }

  function closeMenu() {
    if (!openMenu) return;
    openMenu.list.hidden = true;
    openMenu.title.setAttribute('aria-expanded', 'false');
    openMenu = null;
  }

  function showMenu(menu) {
    closeMenu();
    menu.list.hidden = false;
    menu.title.setAttribute('aria-expanded', 'true');
    openMenu = menu;
  }

  document.addEventListener('mousedown', (event) => {
    if (openMenu && !openMenu.title.parentElement.contains(event.target)) closeMenu();
  });

  function setMenuBar(handle, description) {
    const win = windows.get(handle);
    if (!win) return;
    const reopen = openMenu && win.menuBar.contains(openMenu.title) ? openMenu.index : -1;
    closeMenu();
    win.menuBar.replaceChildren();
    win.menus = description.menus.map((menu, index) => {
      const holder = element('div', 'kelto-menu-holder');
      const title = element('button', 'kelto-menu-title');
      title.type = 'button';
      title.setAttribute('aria-haspopup', 'menu');
      title.setAttribute('aria-expanded', 'false');
      const heading = menuText(menu.text);
      title.append(heading.shown);
      const list = element('ul', 'kelto-menu');
      list.setAttribute('role', 'menu');
      list.hidden = true;
      const built = { title, list, index, mnemonic: heading.mnemonic, items: [] };
      for (const item of menu.items) list.append(menuItem(handle, item, built));
      title.addEventListener('click', () => (openMenu === built ? closeMenu() : showMenu(built)));
      holder.append(title, list);
      win.menuBar.append(holder);
      return built;
    });
    win.menuBar.hidden = win.menus.length === 0;
    if (reopen >= 0 && win.menus[reopen]) showMenu(win.menus[reopen]);
  }

  function menuItem(handle, item, menu) {
    const row = element('li');
    if (item.separator) {
      row.className = 'kelto-separator';
      row.setAttribute('role', 'separator');
      return row;
    }
    const text = menuText(item.text);
    row.setAttribute('role', 'menuitemcheckbox');
    row.setAttribute('aria-checked', String(item.checked));
    row.dataset.id = item.id;
    const label = element('span', 'kelto-label');
    label.append(text.shown);
    row.append(element('span', 'kelto-check', item.checked ? '\u2713' : ''), label,
               element('span', 'kelto-hint', text.hint));
    if (item.greyed) {
      row.classList.add('kelto-greyed');
      row.setAttribute('aria-disabled', 'true');
      return row;
    }
    const choose = () => {
      closeMenu();
      post({ kind: INPUT.Command, window: handle, a: item.id });
    };
    row.addEventListener('click', choose);
    menu.items.push({ mnemonic: text.mnemonic, choose });
    return row;
  }

  // ---------------------------------------------------------------- Keys
  const NAMED_KEYS = {
    Backspace: 0x08, Tab: 0x09, Enter: 0x0d, Shift: 0x10, Control: 0x11, Alt: 0x12,
    Escape: 0x1b, ' ': 0x20, PageUp: 0x21, PageDown: 0x22, End: 0x23, Home: 0x24,
    ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28, Insert: 0x2d, Delete: 0x2e,
  };
  // The characters these keys type, as on the desktop.
  const KEY_CHARACTERS = { Backspace: 0x08, Tab: 0x09, Enter: 0x0d, Escape: 0x1b, Delete: 0x7f };

  // The virtual key: letters and digits are their upper-case ASCII codes.
  function virtualKey(event) {
    if (/^[a-zA-Z]$/.test(event.key)) return event.key.toUpperCase().charCodeAt(0);
    if (/^Key[A-Z]$/.test(event.code)) return event.code.charCodeAt(3);
    if (/^[0-9]$/.test(event.key)) return event.key.charCodeAt(0);
    if (/^Digit[0-9]$/.test(event.code)) return event.code.charCodeAt(5);
    const f = /^F([1-9]|1[0-2])$/.exec(event.key);
    if (f) return 0x6f + Number(f[1]);
    return NAMED_KEYS[event.key] || 0;
  }

  // The Latin-1 character a key press types, 0 for none: Ctrl with a letter
  // types its control character, as on the desktop.
  function typedCharacter(event) {
    if (event.altKey || event.metaKey) return 0;
    if (event.ctrlKey) {
      const key = virtualKey(event);
      return key >= 0x41 && key <= 0x5a ? key & 0x1f : 0;
    }
    if (KEY_CHARACTERS[event.key]) return KEY_CHARACTERS[event.key];
    if (event.key.length !== 1) return 0;
    const code = event.key.charCodeAt(0);
    return code > 0xff || (code >= 0x80 && code < 0xa0) ? 0 : code;
  }

  // Keys the browser keeps: its developer tools.
  function browserKey(event) {
    return event.key === 'F12' || (event.ctrlKey && event.shiftKey && /^[IJC]$/i.test(event.key));
  }

  // The open menu takes Escape and its items' mnemonic letters.
  function menuKey(event) {
    if (event.key === 'Escape') {
      closeMenu();
      return true;
    }
    const item = openMenu.items.find((i) => i.mnemonic && i.mnemonic === event.key.toLowerCase());
    if (item) item.choose();
    return true;
  }

  // Alt with a menu's mnemonic opens that menu; Alt combinations are the
  // desktop's system keys and never reach the program.
  function systemKey(event) {
    const menus = windows.get(focused)?.menus || [];
    const menu = menus.find((m) => m.mnemonic && m.mnemonic === event.key.toLowerCase());
    if (menu) showMenu(menu);
  }

  window.addEventListener('keydown', (event) => {
    if (document.querySelector('dialog[open]') || browserKey(event)) return;
    if (openMenu) {
      if (menuKey(event)) event.preventDefault();
      return;
    }
    if (event.altKey || event.key === 'Alt') {
      systemKey(event);
      event.preventDefault();
      return;
    }
    const key = virtualKey(event);
    const character = typedCharacter(event);
    if ((!key && !character) || !focused) return;
    // Ctrl+R, Ctrl+P and the like are the program's, not the browser's.
    event.preventDefault();
    post({ kind: INPUT.KeyDown, window: focused, a: key, b: character });
  }, true);

  window.addEventListener('keyup', (event) => {
    if (document.querySelector('dialog[open]') || event.altKey || !focused) return;
    const key = virtualKey(event);
    if (key && key !== NAMED_KEYS.Alt) post({ kind: INPUT.KeyUp, window: focused, a: key });
  }, true);

  // ---------------------------------------------------------------- Dialogs
  const dialogs = new Map();  // handle -> { dialog, items: Map(id -> element) }

  function dialogItem(handle, item, defaultId) {
    let made;
    if (item.kind === 'static') {
      made = element('div', 'kelto-static', item.text);
    } else if (item.kind === 'edit') {
      made = element('textarea');
      made.value = item.text;
      made.spellcheck = false;
      made.addEventListener('input', () =>
        post({ kind: INPUT.ItemText, window: handle, a: item.id, text: made.value }));
      // Enter presses the default button.
      made.addEventListener('keydown', (event) => {
        if (event.key !== 'Enter') return;
        event.preventDefault();
        post({ kind: INPUT.Command, window: handle, a: defaultId });
      });
    } else {
      made = element('button', '', item.text);
      made.type = 'button';
      made.addEventListener('click', () => post({ kind: INPUT.Command, window: handle, a: item.id }));
    }
    made.dataset.id = item.id;
    Object.assign(made.style, {
      left: `${item.left}px`, top: `${item.top}px`, width: `${item.width}px`, height: `${item.height}px`,
    });
    made.hidden = !item.visible;
    return made;
  }

  // Shows a running dialog over its owner's client area, where the program
  // placed it. Its buttons, Escape and the close box are the program's to
  // act on: the dialog stays until the program ends it.
  function dialogStarted(handle, owner, description) {
    const dialog = element('dialog', 'kelto-dialog');
    dialog.dataset.window = handle;
    const titleBar = makeTitleBar(handle, description.title, description.closeBox);
    const client = element('div', 'kelto-dialog-client');
    Object.assign(client.style, { width: `${description.width}px`, height: `${description.height}px` });
    const defaultId = description.items.find((i) => i.default)?.id ?? IDOK;
    const items = new Map();
    for (const item of description.items) {
      const made = dialogItem(handle, item, defaultId);
      items.set(item.id, made);
      client.append(made);
    }
    dialog.append(titleBar, client);
    dialog.addEventListener('cancel', (event) => {
      event.preventDefault();
      post({ kind: INPUT.Command, window: handle, a: IDCANCEL });
    });
    const ownerCanvas = windows.get(owner)?.canvas ?? dialogs.get(owner)?.dialog;
    const origin = ownerCanvas ? ownerCanvas.getBoundingClientRect() : { left: 0, top: 0 };
    dialog.style.left = `${Math.max(0, origin.left + description.left)}px`;
    dialog.style.top = `${Math.max(0, origin.top + description.top)}px`;
    document.body.append(dialog);
    closeMenu();
    dialog.showModal();
    items.get(description.focus)?.focus();
    dialogs.set(handle, { dialog, items });
  }

  function dialogItemChanged(handle, id, text) {
    const item = dialogs.get(handle)?.items.get(id);
    if (!item) return;
    if (item instanceof HTMLTextAreaElement) {
      if (item.value !== text) item.value = text;
    } else {
      item.textContent = text;
    }
  }

  function closeDialog(handle) {
    const shown = dialogs.get(handle);
    if (!shown) return false;
    shown.dialog.close();
    shown.dialog.remove();
    dialogs.delete(handle);
    return true;
  }

  // ---------------------------------------------------------------- The script file
  // The file lives in the worker: it is asked for, and the answer saved.
  function saveScript(bytes) {
    if (!bytes) {
      setStatus('Nothing is recorded yet: press Ctrl+R, use the program, and press Ctrl+R again.');
      return;
    }
    const url = URL.createObjectURL(new Blob([bytes], { type: 'text/plain' }));
    const link = element('a');
    link.href = url;
    link.download = SCRIPT_NAME;
    link.click();
    setTimeout(() => URL.revokeObjectURL(url), 0);
  }

  const download = document.getElementById('kelto-download');
  download.addEventListener('click', () => {
    download.blur();  // keys go on to the program
    if (running()) worker.postMessage({ op: 'readScript' });
  });

  const load = document.getElementById('kelto-load');
  load.addEventListener('change', async () => {
    const file = load.files[0];
    load.value = '';
    if (!file || !running()) return;
    if (file.size > LARGEST_SCRIPT) {
      setStatus(`${file.name} is too large for a script (${file.size} bytes); nothing was loaded.`);
      return;
    }
    const bytes = await file.arrayBuffer();
    worker?.postMessage({ op: 'writeScript', name: file.name, bytes }, [bytes]);
  });

  // ---------------------------------------------------------------- The worker's messages
  function print(text, error) {
    api.printed.push(text);
    if (error) console.warn(text);
    else console.log(text);
  }

  function hint(text) {
    api.hints.push(text);
    lastHint = text;
    setStatus(text);
  }

  function ended(code) {
    api.ended = code;
    const text = code === 0 ? 'The program has ended.' : `The program has ended with status ${code}.`;
    endRun(lastHint ? `${text} ${lastHint}` : text);
  }

  // Emscripten reports abort() with no words of its own.
  function aborted(what) {
    if (!running()) return;
    api.aborted = what || 'the program called abort()';
    endRun(`The program stopped because of an error: ${api.aborted}`);
  }

  const received = {
    windowCreated: (m) => windowCreated(m.handle, m.title, m.sizable, m.closeBox),
    windowDestroyed: (m) => windowDestroyed(m.handle),
    windowShown: (m) => windowShown(m.handle, m.visible),
    setMenuBar: (m) => setMenuBar(m.handle, m.description),
    present,
    dialogStarted: (m) => dialogStarted(m.handle, m.owner, m.description),
    dialogItemChanged: (m) => dialogItemChanged(m.handle, m.id, m.text),
    taken: () => { pending = Math.max(0, pending - 1); },
    wait: (m) => wait(m.left),
    run: (m) => run(m.woken),
    turn: () => programRuns(),
    hint: (m) => hint(m.text),
    status: (m) => setStatus(m.text),
    script: (m) => saveScript(m.bytes),
    print: (m) => print(m.text, m.error),
    running: () => {
      setStatus('Running.');
      programRuns();
    },
    exit: (m) => ended(m.code),
    abort: (m) => aborted(m.what),
  };

  // Starts the program's script (made by Emscripten) in a worker running
  // kelto_worker.js, which lies beside this script.
  api.start = (programScript) => {
    worker = new Worker(new URL('kelto_worker.js', here));
    worker.addEventListener('message', ({ data }) => received[data.op]?.(data));
    // What the worker did not report itself (a program that cannot be loaded).
    worker.addEventListener('error', (event) => {
      event.preventDefault();
      aborted(event.message || `${programScript} could not be run`);
    });
    worker.postMessage({ op: 'start', program: new URL(programScript, document.baseURI).href });
  };

  return api;
})();
