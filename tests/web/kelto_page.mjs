// Opening a KELTO program's page and looking at it: its windows' canvases,
// their pixels in the program's centred coordinates, and waiting (bounded)
// until the program has taken all input and waits again.
import assert from 'node:assert/strict';

export const GRAPHICS = 'KELTO Graphics';
export const TEXT = 'KELTO Text';
const TIMEOUT_MS = 30000;  // generous: CI machines are shared and slow

// Opens <name>.html in a new page and waits until the program waits for
// input. `errors` collects the page's uncaught errors and console errors.
export async function openProgram(browser, url, name) {
  const page = await browser.newPage({ viewport: { width: 1100, height: 1300 }, acceptDownloads: true });
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  await page.goto(`${url}${name}.html`);
  await programWaits(page);
  return { page, errors };
}

// Waits until the program on the page has drawn its window and waits for input.
export async function programWaits(page) {
  await page.waitForFunction((title) => {
    const canvas = document.querySelector(`.kelto-window[data-title="${title}"] canvas`);
    return KeltoPage.waiting && canvas && canvas.width > 0;
  }, GRAPHICS, { timeout: TIMEOUT_MS });
}

// Waits until the program has taken every input record and waits again.
export async function settled(page) {
  await page.waitForFunction(() => KeltoPage.aborted !== null || KeltoPage.ended !== null ||
                                   (KeltoPage.waiting && KeltoPage.queued() === 0),
                             null, { timeout: TIMEOUT_MS });
  assert.equal(await page.evaluate(() => KeltoPage.aborted), null, 'the program aborted');
}

export const canvasSelector = (title) => `.kelto-window[data-title="${title}"] canvas`;

// The window's whole canvas: { width, height, rgba } (rgba a Buffer of
// bytes; it travels as base64, which is many times faster than an array).
export async function canvasPixels(page, title = GRAPHICS) {
  const shot = await page.evaluate((selector) => {
    const canvas = document.querySelector(selector);
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let binary = '';
    for (let i = 0; i < data.length; i += 0x8000)
      binary += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
    return { width: canvas.width, height: canvas.height, base64: btoa(binary) };
  }, canvasSelector(title));
  return { width: shot.width, height: shot.height, rgba: Buffer.from(shot.base64, 'base64') };
}

// The graphics window's origin: the centre of its client area.
export const origin = (shot) => ({ x: Math.trunc(shot.width / 2), y: Math.trunc(shot.height / 2) });

// '#rrggbb' of the pixel at centred program coordinates (x, y).
export function colourAt(shot, x, y) {
  const o = origin(shot);
  const i = ((o.y - y) * shot.width + (o.x + x)) * 4;
  return '#' + [0, 1, 2].map((k) => shot.rgba[i + k].toString(16).padStart(2, '0')).join('');
}

// How many pixels of a box (centred coordinates, left/top inclusive, y up)
// have the colour.
export function countColour(shot, left, top, width, height, colour) {
  let n = 0;
  for (let y = top; y > top - height; --y)
    for (let x = left; x < left + width; ++x) n += colourAt(shot, x, y) === colour ? 1 : 0;
  return n;
}

// Clicks the graphics canvas at centred program coordinates.
export async function clickAt(page, x, y) {
  const box = await page.locator(canvasSelector(GRAPHICS)).boundingBox();
  const size = await page.evaluate((s) => {
    const c = document.querySelector(s);
    return { width: c.width, height: c.height };
  }, canvasSelector(GRAPHICS));
  const o = origin(size);
  await page.mouse.click(box.x + (o.x + x + 0.5) * box.width / size.width,
                         box.y + (o.y - y + 0.5) * box.height / size.height);
  await settled(page);
}

// Presses a key (Playwright's names, e.g. 'Control+R') and waits for the program.
export async function press(page, key) {
  await page.keyboard.press(key);
  await settled(page);
}
