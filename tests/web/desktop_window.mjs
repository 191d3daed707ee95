// The Qt build's program in a window of a private virtual X server (no
// window manager), for comparing a page with the desktop pixel for pixel.
import { spawn, execFile } from 'node:child_process';
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { promisify } from 'node:util';

const run = promisify(execFile);
const TIMEOUT_MS = 30000;

// Starts Xvfb on a display it picks itself and resolves once it accepts
// connections (it writes the display number to fd 3 then).
async function startXServer() {
  const server = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1024x768x24', '-nolisten', 'tcp'],
                       { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  const display = await new Promise((resolve, reject) => {
    let text = '';
    const timer = setTimeout(() => reject(new Error('Xvfb did not start')), TIMEOUT_MS);
    server.stdio[3].on('data', (chunk) => {
      text += chunk;
      if (text.includes('\n')) {
        clearTimeout(timer);
        resolve(`:${text.trim()}`);
      }
    });
    server.on('exit', () => reject(new Error('Xvfb ended at once')));
  });
  return { server, display };
}

// Reads a binary PPM (P6, maxval 255) into { width, height, rgb }.
function parsePpm(bytes) {
  const fields = [];
  let at = 0;
  while (fields.length < 4) {
    while (/\s/.test(String.fromCharCode(bytes[at]))) ++at;
    let field = '';
    while (!/\s/.test(String.fromCharCode(bytes[at]))) field += String.fromCharCode(bytes[at++]);
    fields.push(field);
  }
  const [magic, width, height] = [fields[0], Number(fields[1]), Number(fields[2])];
  if (magic !== 'P6' || fields[3] !== '255') throw new Error('not an 8-bit binary PPM');
  return { width, height, rgb: bytes.subarray(at + 1) };
}

// Runs `program` in a scratch directory on its own X server; `shoot()`
// screenshots its graphics window, `close()` ends everything.
export async function openDesktopProgram(program) {
  const scratch = await mkdtemp(path.join(tmpdir(), 'kelto-desktop-'));
  const { server, display } = await startXServer();
  const env = { ...process.env, DISPLAY: display, QT_QPA_PLATFORM: 'xcb' };
  const child = spawn(program, [], { cwd: scratch, env, stdio: 'ignore' });
  const close = async () => {
    child.kill();
    server.kill();
    await rm(scratch, { recursive: true, force: true });
  };
  try {
    const { stdout } = await run('xdotool', ['search', '--sync', '--name', '^KELTO Graphics$'],
                                 { env, timeout: TIMEOUT_MS });
    const window = stdout.trim().split('\n')[0];
    const shoot = async () => {
      const { stdout: ppm } = await run('import', ['-window', window, '-depth', '8', 'ppm:-'],
                                        { env, encoding: 'buffer', maxBuffer: 1 << 24 });
      return parsePpm(ppm);
    };
    return { shoot, close };
  } catch (error) {
    await close();
    throw error;
  }
}
