// The card designer's page against the Qt build's window: the panel, the
// card and the status line are the same pixels (the same raster and fonts
// draw both). Both pictures are drawn relative to the client area's centre
// and the two client areas differ in size, so the compared box is placed by
// the yellow card, at (-140, -150) .. (220, 200): from the panel's left edge
// to the client's right edge, and all 490 rows of the page's canvas (y 245
// down to -244), which the taller desktop client shows too.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { serve, launchChromium } from './harness.mjs';
import { webBuild } from './web_build.mjs';
import { openProgram, canvasPixels } from './kelto_page.mjs';
import { openDesktopProgram } from './desktop_window.mjs';

const desktopProgram = process.env.KELTO_DESKTOP_CARD_DESIGNER;
const BOX = { fromCardLeft: -156, fromCardTop: -45, width: 594, height: 490 };
const TIMEOUT_MS = 30000;

let server, browser;
before(async () => {
  if (!desktopProgram) return;
  server = await serve(webBuild('card_designer'));
  browser = await launchChromium();
});
after(async () => {
  await browser?.close();
  await server?.close();
});

// Pixels as a function (x, y) -> 0xRRGGBB, from RGBA or RGB bytes.
const rgbaAt = (shot) => (x, y) => {
  const i = (y * shot.width + x) * 4;
  return (shot.rgba[i] << 16) | (shot.rgba[i + 1] << 8) | shot.rgba[i + 2];
};
const rgbAt = (shot) => (x, y) => {
  const i = (y * shot.width + x) * 3;
  return (shot.rgb[i] << 16) | (shot.rgb[i + 1] << 8) | shot.rgb[i + 2];
};

// The top left corner of the yellow card, or null when there is none.
function cardCorner(width, height, at) {
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x)
      if (at(x, y) === 0xffff00) return { x, y };
  return null;
}

// The compared box of one picture, checked to lie inside it.
function boxOf(width, height, at) {
  const corner = cardCorner(width, height, at);
  if (!corner) return null;
  const left = corner.x + BOX.fromCardLeft;
  const top = corner.y + BOX.fromCardTop;
  if (left < 0 || top < 0 || left + BOX.width > width || top + BOX.height > height) return null;
  return { left, top };
}

test('the page shows the panel, card and status line of the desktop window, pixel for pixel',
     { skip: !desktopProgram && 'no Qt build of the card designer to compare with' }, async () => {
  const { page, errors } = await openProgram(browser, server.url, 'card_designer');
  const web = await canvasPixels(page);
  const webAt = rgbaAt(web);
  const webBox = boxOf(web.width, web.height, webAt);
  assert.ok(webBox, 'no whole box around the card on the page');

  const desktop = await openDesktopProgram(desktopProgram);
  try {
    // The window shows the card once the program has drawn its first frame.
    let shot = null, box = null;
    for (const start = Date.now(); !box && Date.now() - start < TIMEOUT_MS;) {
      shot = await desktop.shoot();
      box = boxOf(shot.width, shot.height, rgbAt(shot));
    }
    assert.ok(box, 'no whole box around the card in the desktop window');
    const desktopAt = rgbAt(shot);
    let differing = 0;
    for (let y = 0; y < BOX.height; ++y)
      for (let x = 0; x < BOX.width; ++x)
        differing += webAt(webBox.left + x, webBox.top + y) !==
                     desktopAt(box.left + x, box.top + y) ? 1 : 0;
    console.log(`compared ${BOX.width}x${BOX.height} pixels around the card: ${differing} differ`);
    assert.equal(differing, 0);
  } finally {
    await desktop.close();
  }
  assert.deepEqual(errors, []);
  await page.close();
});
