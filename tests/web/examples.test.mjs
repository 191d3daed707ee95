// The examples' pages in headless Chromium: typed keys reach the program and
// its text window (the console panel), and KELTO_gets's dialog takes a typed
// line.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { serve, launchChromium } from './harness.mjs';
import { webBuild } from './web_build.mjs';
import { openProgram, settled, canvasPixels, countColour, press, TEXT } from './kelto_page.mjs';

const BLACK = '#000000';
const NAVY_BLUE = '#003399';

let server, browser;
before(async () => {
  server = await serve(webBuild('typed_keys', 'ask_name'));
  browser = await launchChromium();
});
after(async () => {
  await browser?.close();
  await server?.close();
});

// Pixels of the text window that are not its white background.
async function consoleInk(page) {
  const shot = await canvasPixels(page, TEXT);
  let n = 0;
  for (let i = 0; i < shot.rgba.length; i += 4)
    n += shot.rgba[i] !== 255 || shot.rgba[i + 1] !== 255 || shot.rgba[i + 2] !== 255 ? 1 : 0;
  return n;
}

test('typed keys reach the program, which draws them and prints them in its text window', async () => {
  const { page, errors } = await openProgram(browser, server.url, 'typed_keys');
  const typedLine = async () => countColour(await canvasPixels(page), -280, 30, 400, 40, BLACK);
  assert.equal(await typedLine(), 0);
  assert.equal(await consoleInk(page), 0);
  await press(page, 'H');
  await press(page, 'i');
  const typed = await typedLine();
  assert.ok(typed > 50, `typed "Hi" drew ${typed} black pixels`);
  const printed = await consoleInk(page);
  assert.ok(printed > 50, `the text window shows ${printed} inked pixels`);
  await press(page, 'Backspace');
  assert.ok((await typedLine()) < typed);
  await press(page, 'Enter');
  assert.equal(await typedLine(), 0);
  assert.ok((await consoleInk(page)) > printed, 'Backspace and Enter were not printed');
  assert.deepEqual(errors, []);
  await page.close();
});

test('the line-input dialog shows the prompt and hands the typed line to the program', async () => {
  const { page, errors } = await openProgram(browser, server.url, 'ask_name');
  const dialog = page.locator('dialog[open]');
  await dialog.waitFor();
  assert.match(await dialog.textContent(), /What is your name\?/);
  const hello = async () => countColour(await canvasPixels(page), -280, 80, 500, 60, NAVY_BLUE);
  assert.equal(await hello(), 0);
  await dialog.locator('textarea').fill('Ada');
  await dialog.getByRole('button', { name: 'Okay' }).click();
  await page.locator('dialog[open]').waitFor({ state: 'detached' });
  await settled(page);
  assert.ok((await hello()) > 100, 'no "Hello, Ada!" after Okay');
  // The program goes on with its own keys: Ctrl+Q ends it.
  await page.keyboard.press('Control+Q');
  await page.waitForFunction(() => KeltoPage.ended !== null);
  assert.equal(await page.evaluate(() => KeltoPage.ended), 0);
  assert.deepEqual(errors, []);
  await page.close();
});
