// The card designer's page in headless Chromium: the yellow card, a heart
// placed with the mouse, the Run menu built from the program's menu, and a
// run recorded with Ctrl+R, downloaded, loaded into a fresh page and played
// back with Ctrl+P to the same heart.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { serve, launchChromium } from './harness.mjs';
import { webBuild } from './web_build.mjs';
import {
  openProgram, settled, canvasPixels, colourAt, countColour, clickAt, press,
} from './kelto_page.mjs';

const YELLOW = '#ffff00';
const BLACK = '#000000';
const RED = '#ff0000';
const ADD_SHAPE_BUTTON = { x: -248, y: 90 };  // the panel's fifth button
const ON_CARD = { x: 40, y: 30 };

let server, browser;
before(async () => {
  server = await serve(webBuild('card_designer'));
  browser = await launchChromium();
});
after(async () => {
  await browser?.close();
  await server?.close();
});

// A heart at the click, the card yellow around it, and the status line
// under the card red ("Object selected...").
function showsHeart(shot) {
  return colourAt(shot, ON_CARD.x, ON_CARD.y) === BLACK &&
         countColour(shot, ON_CARD.x - 40, ON_CARD.y + 40, 80, 80, BLACK) > 1500 &&
         colourAt(shot, -100, 150) === YELLOW &&
         countColour(shot, -150, -155, 300, 40, RED) > 200;
}

async function placeHeart(page) {
  await clickAt(page, ADD_SHAPE_BUTTON.x, ADD_SHAPE_BUTTON.y);
  await clickAt(page, ON_CARD.x, ON_CARD.y);
}

test('the page shows the yellow card; Add Shape and a click place a heart', async () => {
  const { page, errors } = await openProgram(browser, server.url, 'card_designer');
  const first = await canvasPixels(page);
  assert.deepEqual([first.width, first.height], [595, 490]);
  assert.equal(colourAt(first, -100, 150), YELLOW);
  assert.equal(colourAt(first, 200, -140), YELLOW);
  assert.ok(!showsHeart(first));
  await placeHeart(page);
  assert.ok(showsHeart(await canvasPixels(page)), 'no heart and red status line after the click');
  assert.deepEqual(errors, []);
  await page.close();
});

test('the Run menu shows the program menu with check marks, hints and mnemonics', async () => {
  const { page, errors } = await openProgram(browser, server.url, 'card_designer');
  const title = page.locator('.kelto-menu-title', { hasText: 'Run' });
  assert.equal(await title.innerHTML(), '<u>R</u>un');
  await title.click();
  const logging = page.locator('.kelto-menu li', { hasText: 'Logging' });
  assert.equal(await logging.locator('.kelto-hint').textContent(), 'Ctrl+L');
  const checked = await logging.getAttribute('aria-checked');
  // Choosing the item toggles logging, and the program's new check mark shows.
  await logging.click();
  await settled(page);
  assert.equal(await logging.getAttribute('aria-checked'), checked === 'true' ? 'false' : 'true');
  // So does its Ctrl key, which the page takes from the browser.
  await press(page, 'Control+L');
  assert.equal(await logging.getAttribute('aria-checked'), checked);
  assert.equal(await page.locator('.kelto-menu li', { hasText: 'Quit' }).locator('.kelto-hint')
    .textContent(), 'Ctrl+Q');
  assert.deepEqual(errors, []);
  await page.close();
});

test('a run recorded with Ctrl+R plays back with Ctrl+P in a fresh page', async () => {
  const recording = await openProgram(browser, server.url, 'card_designer');
  await press(recording.page, 'Control+R');
  await placeHeart(recording.page);
  await press(recording.page, 'Control+R');
  assert.ok(showsHeart(await canvasPixels(recording.page)));
  const [download] = await Promise.all([
    recording.page.waitForEvent('download'),
    recording.page.click('#kelto-download'),
  ]);
  assert.equal(download.suggestedFilename(), 'KELTO.SCR');
  const script = await readFile(await download.path());
  assert.ok(script.length > 0, 'the downloaded script is empty');
  assert.deepEqual(recording.errors, []);
  await recording.page.close();

  const playing = await openProgram(browser, server.url, 'card_designer');
  assert.ok(!showsHeart(await canvasPixels(playing.page)));
  await playing.page.setInputFiles('#kelto-load',
                                   { name: 'KELTO.SCR', mimeType: 'text/plain', buffer: script });
  await playing.page.waitForFunction(() => /Loaded/.test(document.getElementById('kelto-status')
    .textContent));
  await press(playing.page, 'Control+P');
  await playing.page.waitForFunction(() => !document.querySelector('dialog[open]') &&
                                           KeltoPage.waiting && KeltoPage.queued() === 0);
  // The heart's design is random (seeded from the clock), its place is not.
  assert.ok(showsHeart(await canvasPixels(playing.page)), 'the played-back run shows no heart');
  assert.deepEqual(playing.errors, []);
  await playing.page.close();
});
