// Where the pages are: KELTO_WEB_BUILD (set by the test registration), else
// build/web of this checkout; fails clearly when a page has not been built.
import assert from 'node:assert/strict';
import { existsSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));

export function webBuild(...programs) {
  const folder = path.resolve(process.env.KELTO_WEB_BUILD || path.join(here, '../../build/web'));
  for (const program of programs)
    assert.ok(existsSync(path.join(folder, `${program}.wasm`)),
              `${program}.wasm is not in ${folder}: build the pages with "make web"`);
  return folder;
}
