// The program's half of KELTO's web page: a Web Worker that runs the program
// (lib/platform/web/page.cpp calls the KeltoPage below), so that the page
// stays responsive whatever the program does. What the program shows travels
// to the page as messages (pixels in transferred buffers); what the user
// does comes back as input records, which the program takes when it looks
// for messages. A waiting program is an Asyncify suspension: the worker's
// event loop is free then, and it is resumed by the next record or by the
// one timer of its deadline. The worker also reads and writes the script
// file for the page.
'use strict';

const KeltoPage = (() => {
  const SCRIPT_NAME = 'KELTO.SCR';
  const api = {};
  const send = (message, transfer) => self.postMessage(message, transfer || []);

  // ---------------------------------------------------------------- What the program shows
  api.windowCreated = (handle, title, sizable, closeBox) =>
    send({ op: 'windowCreated', handle, title, sizable, closeBox });
  api.windowDestroyed = (handle) => send({ op: 'windowDestroyed', handle });
  api.windowShown = (handle, visible) => send({ op: 'windowShown', handle, visible });
  api.setMenuBar = (handle, description) => send({ op: 'setMenuBar', handle, description });
  api.dialogStarted = (handle, owner, description) =>
    send({ op: 'dialogStarted', handle, owner, description });
  api.dialogItemChanged = (handle, id, text) => send({ op: 'dialogItemChanged', handle, id, text });
  api.hint = (text) => send({ op: 'hint', text });

  // A part of a client image (0x00RRGGBB words at heap[index], rows of
  // `width`) as RGBA bytes, that is little-endian words 0xAABBGGRR, in a
  // buffer of its own that is handed to the page, not copied.
  api.present = (handle, heap, index, width, height, left, top, across, down) => {
    const words = new Uint32Array(across * down);
    let to = 0;
    for (let y = top; y < top + down; ++y) {
      let at = index + y * width + left;
      for (const end = at + across; at < end; ++at) {
        const p = heap[at];
        words[to++] = 0xff000000 | ((p & 0xff) << 16) | (p & 0xff00) | ((p >>> 16) & 0xff);
      }
    }
    send({ op: 'present', handle, width, height, left, top, across, down, rgba: words.buffer },
         [words.buffer]);
  };

  // ---------------------------------------------------------------- Input and the waits
  const queue = [];
  let takenText = '';
  let resume = null;
  let deadlineTimer = 0;

  api.take = () => {
    const record = queue.shift();
    takenText = (record && record.text) || '';
    if (record) send({ op: 'taken', queued: queue.length });
    return record || null;
  };
  api.takenText = () => takenText;

  // Resolves when input is queued or, for a deadline of 0 or more, at that
  // time of performance.now(): one timer, cleared when input comes first.
  // The page learns when the program waits and when it runs again; the
  // deadline travels as the time left, since the two clocks differ.
  api.waitForInput = (deadline) => new Promise((resolve) => {
    send({ op: 'wait', queued: queue.length,
           left: deadline >= 0 ? Math.max(0, deadline - performance.now()) : -1 });
    if (queue.length) {
      send({ op: 'run', woken: false });
      resolve();
      return;
    }
    resume = () => {
      resume = null;
      clearTimeout(deadlineTimer);
      send({ op: 'run', woken: true });
      resolve();
    };
    if (deadline >= 0) deadlineTimer = setTimeout(() => resume && resume(),
                                                  Math.max(0, Math.ceil(deadline - performance.now())));
  });

  // One turn of the event loop for a program that is busy without waiting:
  // it still sees the user, and the page knows it is alive.
  api.giveTurn = () => new Promise((resolve) => {
    send({ op: 'turn' });
    setTimeout(resolve, 0);
  });

  // ---------------------------------------------------------------- The script file
  function scriptPath() {
    const folder = Module.FS.cwd();
    return (folder.endsWith('/') ? folder : folder + '/') + SCRIPT_NAME;
  }

  function readScript() {
    try {
      const bytes = Module.FS.readFile(scriptPath());
      send({ op: 'script', bytes: bytes.buffer }, [bytes.buffer]);
    } catch {
      send({ op: 'script', bytes: null });
    }
  }

  function writeScript(name, bytes) {
    try {
      Module.FS.writeFile(scriptPath(), new Uint8Array(bytes));
      send({ op: 'status', text: `Loaded ${name} as ${SCRIPT_NAME}: press Ctrl+P to play it back.` });
    } catch (error) {
      send({ op: 'status', text: `${name} could not be loaded: ${error}` });
    }
  }

  // ---------------------------------------------------------------- The page's messages
  function start(program) {
    self.Module = {
      print: (text) => send({ op: 'print', text, error: false }),
      printErr: (text) => send({ op: 'print', text, error: true }),
      onRuntimeInitialized: () => send({ op: 'running' }),
      onExit: (code) => send({ op: 'exit', code }),
      onAbort: (what) => send({ op: 'abort', what: String(what) }),
    };
    importScripts(program);
  }

  self.addEventListener('message', ({ data }) => {
    switch (data.op) {
      case 'start': start(data.program); break;
      case 'input':
        queue.push(data.record);
        if (resume) resume();
        break;
      case 'readScript': readScript(); break;
      case 'writeScript': writeScript(data.name, data.bytes); break;
      default: break;
    }
  });

  // A program that ends while resumed from a wait ends by throwing its exit
  // status through the promise that resumed it: that is no error. Anything
  // else thrown there (a trap in code resumed from a wait) ends the program.
  self.addEventListener('unhandledrejection', (event) => {
    event.preventDefault();
    const reason = event.reason;
    if (reason && reason.name === 'ExitStatus') return;
    send({ op: 'abort', what: String(reason) });
  });
  self.addEventListener('error', (event) => {
    if (event.error && event.error.name === 'ExitStatus') {
      event.preventDefault();
      return;
    }
    send({ op: 'abort', what: String(event.error || event.message) });
  });

  return api;
})();
