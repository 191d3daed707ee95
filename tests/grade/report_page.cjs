// Opens a kelto-grade report.html from the file system in headless Chromium
// and prints, as JSON, the names in the class table's rows and, for each
// student's section, how many of its pictures loaded and how many did not.
// Usage: node report_page.cjs <report.html>   (CHROMIUM: the browser to use)
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const { chromium } = require(path.join(__dirname, '..', 'web', 'node_modules', 'playwright-core'));

(async () => {
  const browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--disable-gpu', '--no-first-run', '--disable-background-networking'],
  });
  try {
    const page = await browser.newPage();
    await page.goto(pathToFileURL(path.resolve(process.argv[2])).href, { waitUntil: 'load' });
    const shown = await page.evaluate(() => {
      const rows = [...document.querySelectorAll('table.class tbody tr td:first-child')]
        .map((cell) => cell.textContent);
      const pictures = {};
      for (const section of document.querySelectorAll('section.student')) {
        const images = [...section.querySelectorAll('img')];
        const loaded = images.filter((image) => image.complete && image.naturalWidth > 0);
        pictures[section.querySelector('h2').textContent] = {
          loaded: loaded.length,
          broken: images.length - loaded.length,
        };
      }
      return { rows, pictures };
    });
    process.stdout.write(JSON.stringify(shown));
  } finally {
    await browser.close();
  }
})().catch((error) => {
  process.stderr.write(`${error.stack}\n`);
  process.exit(1);
});
