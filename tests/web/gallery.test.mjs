// The gallery, build/web/index.html: every program of KELTO_GALLERY (comma-separated: the card
// designer and the examples, from the one list of examples) has its
// thumbnail, drawn by its native replay runner, its source page, and a link
// to its page, where it runs.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { serve, launchChromium } from './harness.mjs';
import { webBuild } from './web_build.mjs';
import { programWaits } from './kelto_page.mjs';

const programs = (process.env.KELTO_GALLERY || 'card_designer').split(',');

let server, browser;
before(async () => {
  server = await serve(webBuild(...programs));
  browser = await launchChromium();
});
after(async () => {
  await browser?.close();
  await server?.close();
});

test('the gallery shows every program with its thumbnail, page and source', async () => {
  const page = await browser.newPage();
  await page.goto(`${server.url}index.html`);
  for (const name of programs) {
    const card = page.locator(`article#${name}`);
    assert.equal(await card.count(), 1, `${name} is not in the gallery`);
    const width = await card.locator('img').evaluate(async (img) => {
      await img.decode();
      return img.naturalWidth;
    });
    assert.equal(width, 595, `${name}'s thumbnail`);
    const links = await card.locator('a').evaluateAll((as) => as.map((a) => a.getAttribute('href')));
    assert.ok(links.includes(`${name}.html`), `${name} links to ${links}`);
    assert.ok(links.includes(`sources/${name}.html`), `${name} links to ${links}`);
    const source = await (await page.request.get(`${server.url}sources/${name}.html`)).text();
    assert.match(source, /KELTO_main|KELTO_open/, `the source page of ${name}`);
  }
  await page.close();
});

test('a thumbnail leads to the program running on its page', async () => {
  const page = await browser.newPage({ viewport: { width: 1100, height: 1300 } });
  await page.goto(`${server.url}index.html`);
  await Promise.all([
    page.waitForURL(/card_designer\.html$/),
    page.locator('article#card_designer img').click(),
  ]);
  await programWaits(page);
  await page.close();
});
