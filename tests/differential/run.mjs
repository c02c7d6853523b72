// Differential test of the reply view: every reply of the corpus is written into replyview (the
// program's own parser) and into parse5 (the parser behind jsdom, following the HTML standard),
// each as the content of a body, and the serialised bodies are compared.
//
//   node tests/differential/run.mjs path/to/replyview
//
// The acknowledgement decision (does the body's HTML hold "Data received. Thank you."?) must
// agree on every reply; the HTML must agree on every reply but those in differences.json, and
// so must the SVG and MathML name tables (`replyview --tables`), entry by entry.
import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import {
    FROZEN, GENERATED, frozenText, listed, listedEntries, parse5Body, replies, tables, written,
} from './corpus.mjs';

const ACK = 'Data received. Thank you.';

function viewOf(replyview, replies) {
    const input = Buffer.from(replies.map((r) => r.html).join('\0'), 'utf8');
    const run = spawnSync(replyview, ['--batch'], { input, maxBuffer: 1 << 30 });
    if (run.status !== 0)
        throw new Error(`replyview failed (${run.status}): ${run.stderr}`);
    const out = run.stdout.toString('utf8').split('\0');
    out.pop();  // after the last result's NUL
    if (out.length !== replies.length)
        throw new Error(`replyview gave ${out.length} results for ${replies.length} replies`);
    return out;
}

const replyview = process.argv[2];
if (!replyview) {
    console.error('usage: node run.mjs path/to/replyview');
    process.exit(2);
}

const started = performance.now();
const ours = viewOf(replyview, replies);
const oursMs = performance.now() - started;
let ackAgree = 0;
let htmlAgree = 0;
const failures = [];
const seenListed = new Set();
const parse5Started = performance.now();
const bodies = replies.map((reply) => parse5Body(reply.html));
replies.forEach((reply, i) => {
    const theirs = bodies[i];
    const ackSame = ours[i].includes(ACK) === theirs.includes(ACK);
    if (ackSame)
        ++ackAgree;
    else
        failures.push(`${reply.name}: acknowledgement differs`);
    if (ours[i] === theirs) {
        ++htmlAgree;
        if (listed.has(reply.name))
            failures.push(`${reply.name}: listed as different but agrees`);
    } else if (listed.has(reply.name)) {
        seenListed.add(reply.name);
    } else {
        failures.push(`${reply.name}: HTML differs\n  reply:     ${JSON.stringify(reply.html)}\n` +
                      `  replyview: ${JSON.stringify(ours[i])}\n  parse5:    ${JSON.stringify(theirs)}`);
    }
});
const parse5Ms = performance.now() - parse5Started;
for (const name of listed.keys()) {
    if (!replies.some((r) => r.name === name))
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

// The native tests read parse5's bodies from a file: it must say what parse5 says now.
if (readFileSync(FROZEN, 'utf8') !== frozenText(bodies))
    failures.push(`${FROZEN} is out of date: run node tests/differential/freeze.mjs`);

console.log(`replies: ${replies.length} (${written.length} written, ${GENERATED} generated)`);
console.log(`acknowledgement agrees: ${ackAgree}/${replies.length}`);
console.log(`HTML agrees: ${htmlAgree}/${replies.length}; listed differences: ${seenListed.size}`);
for (const name of seenListed)
    console.log(`  ${name}: ${listed.get(name)}`);
console.log(`name table entries: ${ourTables.size} in the view, ${theirTables.size} in parse5; ` +
            `listed differences: ${listedEntries.size}`);
for (const [entry, reason] of listedEntries)
    console.log(`  ${entry}: ${reason}`);
console.log(`time: replyview ${oursMs.toFixed(0)} ms (one process), parse5 ${parse5Ms.toFixed(0)} ms`);
for (const failure of failures)
    console.log(`FAIL ${failure}`);
process.exit(failures.length ? 1 : 0);
