// Differential test of the reply view against parse5 (the parser behind jsdom, following the
// HTML standard), each reading a reply as the content of a body.
//
//   node tests/differential/run.mjs path/to/replyview
//   node tests/differential/run.mjs --freeze      (writes the frozen file again)
//
// The native test HtmlViewCorpus holds the view to parse5's bodies of every reply of the corpus
// but those in differences.json, read from a frozen file. This run checks that file against
// parse5 as it is now; the listed replies against replyview (the acknowledgement decision, does
// the body's HTML hold "Data received. Thank you."?, must agree and the HTML must differ); and
// the SVG and MathML name tables (`replyview --tables`) entry by entry.
import { spawnSync } from 'node:child_process';
import { readFileSync, writeFileSync } from 'node:fs';
import {
    FROZEN, GENERATED, frozenText, listed, listedEntries, parse5Body, replies, tables, written,
} from './corpus.mjs';

const ACK = 'Data received. Thank you.';
const replyview = process.argv[2];
if (replyview === '--freeze') {
    writeFileSync(FROZEN, frozenText());
    console.log(`wrote ${FROZEN}`);
    process.exit(0);
}
if (!replyview) {
    console.error('usage: node run.mjs path/to/replyview | --freeze');
    process.exit(2);
}
const failures = [];

// The listed replies through one replyview process, separated by NUL bytes.
const different = replies.filter((r) => listed.has(r.name));
const run = spawnSync(replyview, ['--batch'],
    { input: Buffer.from(different.map((r) => r.html).join('\0'), 'utf8') });
const ours = run.stdout.toString('utf8').split('\0').slice(0, -1);
if (run.status !== 0 || ours.length !== different.length)
    failures.push(`replyview --batch failed (${run.status}): ${run.stderr}`);
different.forEach((reply, i) => {
    const theirs = parse5Body(reply.html);
    if (ours[i]?.includes(ACK) !== theirs.includes(ACK))
        failures.push(`${reply.name}: acknowledgement differs`);
    if (ours[i] === theirs)
        failures.push(`${reply.name}: listed as different but agrees`);
});
for (const name of listed.keys()) {
    if (!different.some((r) => r.name === name))
        failures.push(`${name}: listed but not in the corpus`);
}

// The name tables, both ways.
const ourTables = new Set(spawnSync(replyview, ['--tables']).stdout.toString('utf8').split('\n')
    .filter(Boolean));
const theirTables = new Set(tables);
const oneSided = [...ourTables].filter((e) => !theirTables.has(e))
    .concat([...theirTables].filter((e) => !ourTables.has(e)));
for (const entry of oneSided.filter((e) => !listedEntries.has(e)))
    failures.push(`table entry in one of the two only: ${entry}`);
for (const entry of [...listedEntries.keys()].filter((e) => !oneSided.includes(e)))
    failures.push(`${entry}: listed as a table difference but is none`);

// The native test reads parse5's bodies from a file: it must say what parse5 says now.
if (readFileSync(FROZEN, 'utf8') !== frozenText())
    failures.push(`${FROZEN} is out of date: run node tests/differential/run.mjs --freeze`);

console.log(`replies: ${replies.length} (${written.length} written, ${GENERATED} generated); ` +
            `listed differences: ${different.length}`);
for (const reply of different)
    console.log(`  ${reply.name}: ${listed.get(reply.name)}`);
console.log(`name table entries: ${ourTables.size} in the view, ${theirTables.size} in parse5; ` +
            `listed differences: ${listedEntries.size}`);
for (const [entry, reason] of listedEntries)
    console.log(`  ${entry}: ${reason}`);
for (const failure of failures)
    console.log(`FAIL ${failure}`);
process.exit(failures.length ? 1 : 0);
