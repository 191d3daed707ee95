// The page's half of KELTO's web display (lib/platform/web/page.cpp is the
// other half). The program's windows become framed panels with a title, a
// menu bar and a canvas; its dialogs become <dialog>s. What the user does is
// queued as input records, which the program takes when it looks for
// messages; a waiting program is resumed by the next record or by the one
// timer of its deadline, and by nothing else, so an idle page runs no code.
// The page also saves and loads the script file KELTO.SCR.
'use strict';

const KeltoPage = (() => {
  // Input record kinds, shared with page_input.h.
  const INPUT = { MouseDown: 1, KeyDown: 2, KeyUp: 3, Command: 4, Close: 5, Focus: 6, ItemText: 7 };
  const IDOK = 1;
  const IDCANCEL = 2;
  const SCRIPT_NAME = 'KELTO.SCR';
  const LARGEST_SCRIPT = 16 * 1024 * 1024;

  // What tests and curious users can read: the state of the program.
  const api = {
    waits: 0,       // waits begun
    wakes: 0,       // waits ended, by input or by their deadline
    waiting: false, // the program is suspended in a wait
    deadline: -1,   // the waiting program's deadline (performance.now()), -1 for none
    ended: null,    // the program's exit status once it has ended
    aborted: null,  // why the program stopped, if it crashed
    printed: [],    // what the program wrote to its standard output and error
  };

  const desktop = document.getElementById('kelto-desktop');
  const status = document.getElementById('kelto-status');
  const setStatus = (text) => { status.textContent = text; };

  function element(tag, className, text) {
    const made = document.createElement(tag);
    if (className) made.className = className;
    if (text !== undefined) made.textContent = text;
    return made;
  }

  // ---------------------------------------------------------------- The queue and the waits
  const queue = [];
  let takenText = '';
  let resume = null;
  let deadlineTimer = 0;

  function post(record) {
    if (api.ended !== null || api.aborted !== null) return;
    queue.push(record);
    if (resume) resume();
  }

  api.take = () => {
    const record = queue.shift();
    takenText = (record && record.text) || '';
    return record || null;
  };
  api.takenText = () => takenText;
  api.queued = () => queue.length;  // input records the program has not taken yet

  // Resolves when input is queued or, for a deadline of 0 or more, at that
  // time of performance.now(): one timer, cleared when input comes first.
  api.waitForInput = (deadline) => new Promise((resolve) => {
    ++api.waits;
    if (queue.length) {
      resolve();
      return;
    }
    api.waiting = true;
    api.deadline = deadline;
    resume = () => {
      resume = null;
      clearTimeout(deadlineTimer);
      api.waiting = false;
      api.deadline = -1;
      ++api.wakes;
      resolve();
    };
    if (deadline >= 0) deadlineTimer = setTimeout(() => resume && resume(),
                                                  Math.max(0, Math.ceil(deadline - performance.now())));
  });

  // One turn of the event loop for a program that is busy without waiting.
  api.giveTurn = () => new Promise((resolve) => setTimeout(resolve, 0));

  // ---------------------------------------------------------------- Windows
  const windows = new Map();  // handle -> { frame, menuBar, canvas, context, image, words }
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

  api.windowCreated = (handle, title, sizable, closeBox) => {
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
  };

  api.windowDestroyed = (handle) => {
    if (closeDialog(handle)) return;
    const win = windows.get(handle);
    if (!win) return;
    win.frame.remove();
    windows.delete(handle);
    if (focused === handle) focused = 0;
  };

  // Showing a window brings it to the front with the focus, as on a desktop.
  api.windowShown = (handle, visible) => {
    const win = windows.get(handle);
    if (!win) return;
    win.frame.hidden = !visible;
    if (visible) focusWindow(handle);
  };

  // Copies a part of a client image (0x00RRGGBB words at heap[index], rows of
  // `width`) to the window's canvas: the words become RGBA bytes, that is
  // little-endian words 0xAABBGGRR, and one putImageData shows the part.
  api.present = (handle, heap, index, width, height, left, top, across, down) => {
    const win = windows.get(handle);
    if (!win) return;
    if (win.canvas.width !== width || win.canvas.height !== height || !win.image) {
      win.canvas.width = width;
      win.canvas.height = height;
      win.image = win.context.createImageData(width, height);
      win.words = new Uint32Array(win.image.data.buffer);
      [left, top, across, down] = [0, 0, width, height];
    }
    const words = win.words;
    for (let y = top; y < top + down; ++y) {
      let at = y * width + left;
      for (const end = at + across; at < end; ++at) {
        const p = heap[index + at];
        words[at] = 0xff000000 | ((p & 0xff) << 16) | (p & 0xff00) | ((p >>> 16) & 0xff);
      }
    }
    win.context.putImageData(win.image, 0, 0, left, top, across, down);
  };

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

  api.setMenuBar = (handle, description) => {
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
  };

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
  api.dialogStarted = (handle, owner, description) => {
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
  };

  api.dialogItemChanged = (handle, id, text) => {
    const item = dialogs.get(handle)?.items.get(id);
    if (!item) return;
    if (item instanceof HTMLTextAreaElement) {
      if (item.value !== text) item.value = text;
    } else {
      item.textContent = text;
    }
  };

  function closeDialog(handle) {
    const shown = dialogs.get(handle);
    if (!shown) return false;
    shown.dialog.close();
    shown.dialog.remove();
    dialogs.delete(handle);
    return true;
  }

  // ---------------------------------------------------------------- The script file
  const scriptPath = () => {
    const folder = Module.FS.cwd();
    return (folder.endsWith('/') ? folder : folder + '/') + SCRIPT_NAME;
  };

  const download = document.getElementById('kelto-download');
  download.addEventListener('click', () => {
    download.blur();  // keys go on to the program
    let bytes;
    try {
      bytes = Module.FS.readFile(scriptPath());
    } catch {
      setStatus('Nothing is recorded yet: press Ctrl+R, use the program, and press Ctrl+R again.');
      return;
    }
    const url = URL.createObjectURL(new Blob([bytes], { type: 'text/plain' }));
    const link = element('a');
    link.href = url;
    link.download = SCRIPT_NAME;
    link.click();
    setTimeout(() => URL.revokeObjectURL(url), 0);
  });

  const load = document.getElementById('kelto-load');
  load.addEventListener('change', async () => {
    const file = load.files[0];
    load.value = '';
    if (!file) return;
    if (file.size > LARGEST_SCRIPT) {
      setStatus(`${file.name} is too large for a script (${file.size} bytes); nothing was loaded.`);
      return;
    }
    try {
      Module.FS.writeFile(scriptPath(), new Uint8Array(await file.arrayBuffer()));
      setStatus(`Loaded ${file.name} as ${SCRIPT_NAME}: press Ctrl+P to play it back.`);
    } catch (error) {
      setStatus(`${file.name} could not be loaded: ${error}`);
    }
  });

  // ---------------------------------------------------------------- Starting the program
  // A program that ends while resumed from a wait ends by throwing its exit
  // status through the promise that resumed it: that is no error.
  window.addEventListener('unhandledrejection', (event) => {
    if (event.reason && event.reason.name === 'ExitStatus') event.preventDefault();
  });

  // Loads the program's script (made by Emscripten), which finds Module.
  api.start = (programScript) => {
    window.Module = {
      print: (text) => { api.printed.push(text); console.log(text); },
      printErr: (text) => { api.printed.push(text); console.warn(text); },
      onRuntimeInitialized: () => setStatus('Running.'),
      onExit: (code) => {
        api.ended = code;
        setStatus(code === 0 ? 'The program has ended.' : `The program has ended with status ${code}.`);
      },
      onAbort: (what) => {
        api.aborted = String(what);
        setStatus(`The program stopped because of an error: ${what}`);
      },
    };
    const script = element('script');
    script.src = programScript;
    script.async = true;
    script.addEventListener('error', () => setStatus(`${programScript} could not be loaded.`));
    document.body.append(script);
  };

  return api;
})();
