// Writes parse5's bodies for the corpus into the file the native tests read:
//
//   node tests/differential/freeze.mjs
//
// Run it after changing replies.txt, generate.mjs or the parse5 version; run.mjs fails while
// the file is out of date.
import { mkdirSync, writeFileSync } from 'node:fs';
import { dirname } from 'node:path';
import { FROZEN, frozenText } from './corpus.mjs';

mkdirSync(dirname(FROZEN), { recursive: true });
writeFileSync(FROZEN, frozenText());
console.log(`wrote ${FROZEN}`);
