// A halted page costs nothing: the program waits without any timer in the
// browser, so it is not woken at all and Chromium's renderer stays near
// zero CPU. The figures are printed; the CPU check has a wide margin.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { serve, launchChromium, cpuShareOver } from './harness.mjs';
import { webBuild } from './web_build.mjs';
import { openProgram, press } from './kelto_page.mjs';

const MEASURED_MS = 2000;

let server, browser;
before(async () => {
  server = await serve(webBuild('bouncing_ball'));
  browser = await launchChromium();
});
after(async () => {
  await browser?.close();
  await server?.close();
});

const wakes = (page) => page.evaluate(() => KeltoPage.wakes);
const percent = (share) => `${(100 * share).toFixed(2)} %`;

test('an animating page wakes for its ticks; a halted one is never woken and idles', async () => {
  const { page, errors } = await openProgram(browser, server.url, 'bouncing_ball');
  const cdp = await browser.newBrowserCDPSession();
  // Animating: the 100 ms timer wakes the program.
  const animating = await wakes(page);
  const busy = await cpuShareOver(cdp, MEASURED_MS);
  const ticks = (await wakes(page)) - animating;
  assert.ok(ticks >= 5, `only ${ticks} wakes in ${MEASURED_MS} ms of animation`);

  // Halted, the program waits for input alone: no deadline, no timer.
  await press(page, 'Control+H');
  await page.waitForFunction(() => KeltoPage.waiting && KeltoPage.deadline < 0);
  const halted = await wakes(page);
  const idle = await cpuShareOver(cdp, MEASURED_MS);
  assert.equal((await wakes(page)) - halted, 0, 'a halted page was woken');
  console.log(`# renderer CPU animating ${percent(busy.renderer)} (${ticks} wakes), ` +
              `halted ${percent(idle.renderer)}; browser process halted ${percent(idle.browser)}`);
  assert.ok(idle.renderer < 0.05, `the halted page used ${percent(idle.renderer)} of a core`);
  await cdp.detach();
  assert.deepEqual(errors, []);
  await page.close();
});
