// What a browser test of KELTO's pages needs: a static HTTP server on the
// loopback address at a port the system picks, the system Chromium driven by
// playwright-core, and the CPU time of Chromium's processes.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import path from 'node:path';
import { chromium } from 'playwright-core';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',  // needed for WebAssembly.instantiateStreaming
};

// Serves the files of `root` on 127.0.0.1 at a free port.
export async function serve(root) {
  const server = createServer(async (req, res) => {
    const relative = path.normalize(decodeURIComponent(new URL(req.url, 'http://x').pathname));
    const file = path.join(root, relative);
    if (!file.startsWith(root + path.sep)) {
      res.writeHead(403).end();
      return;
    }
    try {
      const body = await readFile(file);
      res.writeHead(200, {
        'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
        'Cache-Control': 'no-store',
      });
      res.end(body);
    } catch {
      res.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => {
      server.closeAllConnections();
      return new Promise((resolve) => server.close(resolve));
    },
  };
}

// Flags for a closed network and a shared machine: nothing may phone home.
const CHROMIUM_ARGS = [
  '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
  '--disable-component-update', '--disable-sync',
];

// Headless Chromium from Debian's package. playwright-core adds --headless,
// --no-sandbox and a new empty profile, which it removes on close().
export function launchChromium() {
  return chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: CHROMIUM_ARGS,
  });
}

// CPU seconds used so far by each kind of Chromium process (browser,
// renderer, GPU, utility), summed over the processes of that kind. The
// process list comes from the DevTools protocol; the time from
// /proc/<pid>/schedstat (nanoseconds), since the protocol's cpuTime counts
// whole 10 ms clock ticks.
async function cpuByProcessType(cdp) {
  const { processInfo } = await cdp.send('SystemInfo.getProcessInfo');
  const sums = {};
  for (const p of processInfo) {
    let seconds = p.cpuTime;
    try {
      seconds = Number((await readFile(`/proc/${p.id}/schedstat`, 'utf8')).split(' ')[0]) / 1e9;
    } catch { /* the process has gone meanwhile */ }
    sums[p.type] = (sums[p.type] || 0) + seconds;
  }
  return sums;
}

// The share of one core each kind of process used over `ms` milliseconds of
// wall time, e.g. { renderer: 0.004, browser: 0.01, ... }.
export async function cpuShareOver(cdp, ms) {
  const before = await cpuByProcessType(cdp);
  const t0 = process.hrtime.bigint();
  await new Promise((resolve) => setTimeout(resolve, ms));  // the measured window
  const after = await cpuByProcessType(cdp);
  const seconds = Number(process.hrtime.bigint() - t0) / 1e9;
  const share = {};
  for (const type of Object.keys(after)) share[type] = (after[type] - (before[type] || 0)) / seconds;
  return share;
}
