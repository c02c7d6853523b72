// The corpus of replies the reply view is compared on, and parse5's reading of each: the
// replies written in replies.txt and the seeded tag soup of generate.mjs.
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';
import { foreignContent, html, parse, parseFragment, serialize } from 'parse5';
import { generate } from './generate.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const SEED = 20261207;
export const GENERATED = 1000;

// Where the native tests keep parse5's bodies (see frozenText).
export const FROZEN = join(here, '..', 'native', 'data', 'html_view_corpus.txt');

// replies.txt: each reply follows a line "### name"; the line break before the next such line
// is not part of the reply. In replies named "...-crlf" every LF stands for CR LF, as the
// program writes replies into the view; in "...-cr" for a lone CR.
function ownReplies() {
    const text = readFileSync(join(here, 'replies.txt'), 'utf8');
    return text.split(/^### /m).slice(1).map((chunk) => {
        const newline = chunk.indexOf('\n');
        const name = chunk.slice(0, newline).trim();
        let html = chunk.slice(newline + 1).replace(/\n$/, '');
        if (name.endsWith('-crlf'))
            html = html.replaceAll('\n', '\r\n');
        else if (name.endsWith('-cr'))
            html = html.replaceAll('\n', '\r');
        return { name, html };
    });
}

// parse5's name tables for SVG and MathML content, one line an entry as `replyview --tables`
// prints the view's. parse5 exports its element names; its attribute tables sit behind the adjust
// functions it exports, so every name its foreign-content module spells is put through them.
const SPACES = { [html.NS.XLINK]: 'xlink', [html.NS.XML]: 'xml', [html.NS.XMLNS]: 'xmlns' };
const ADJUSTS = { 'svg-attribute': foreignContent.adjustTokenSVGAttrs,
    'mathml-attribute': foreignContent.adjustTokenMathMLAttrs,
    'foreign-attribute': foreignContent.adjustTokenXMLAttrs };

function parse5Tables() {
    const module = join(dirname(createRequire(import.meta.url).resolve('parse5')), 'common',
        'foreign-content.js');
    const entries = [...foreignContent.SVG_TAG_NAMES_ADJUSTMENT_MAP]
        .map(([name, to]) => `svg-element ${name} ${to}`);
    for (const name of new Set([...readFileSync(module, 'utf8').matchAll(/'([^'\s]+)'/g)]
        .map((m) => m[1].toLowerCase()))) {
        for (const [table, adjust] of Object.entries(ADJUSTS)) {
            const token = { attrs: [{ name, value: '' }] };
            adjust(token);
            const { name: to, namespace } = token.attrs[0];
            if (namespace || to !== name)
                entries.push(`${table} ${name} ${namespace ? `${SPACES[namespace]}:` : ''}${to}`);
        }
    }
    return entries;
}

export const written = ownReplies();
export const tables = parse5Tables();
export const replies = [...written, ...generate(SEED, GENERATED)];

// Where the view knowingly reads otherwise than parse5, with the reason: replies by name, and
// entries of the name tables.
const differences = JSON.parse(readFileSync(join(here, 'differences.json'), 'utf8'));
export const listed = new Map(differences.filter((d) => d.name).map((d) => [d.name, d.reason]));
export const listedEntries = new Map(differences.filter((d) => d.entry)
    .map((d) => [d.entry, d.reason]));

const body = parse('<body>').childNodes.find((n) => n.nodeName === 'html')
    .childNodes.find((n) => n.nodeName === 'body');

// The reply as the content of a body, serialised back by parse5.
export function parse5Body(html) {
    return serialize(parseFragment(body, html));
}

// The text in printable ASCII: every other UTF-16 unit, and the backslash, as \uXXXX.
function escaped(text) {
    return text.replace(/[^\x20-\x5b\x5d-\x7e]/g,
        (c) => `\\u${c.charCodeAt(0).toString(16).padStart(4, '0')}`);
}

// Four lines a reply, escaped: its name, the reply, parse5's body (`bodies`, one a reply, when
// the caller has them already), and whether that tree and the one read again from it change
// when read again ("00", "10", ...); the listed differences are left out.
export function frozenText(bodies = replies.map((r) => parse5Body(r.html))) {
    const readAgain = (body) => {
        const second = parse5Body(body);
        return `${+(second !== body)}${+(parse5Body(second) !== second)}`;
    };
    return replies.map((r, i) => ({ ...r, body: bodies[i] })).filter((r) => !listed.has(r.name))
        .map((r) => `${escaped(r.name)}\n${escaped(r.html)}\n${escaped(r.body)}\n${readAgain(r.body)}\n`)
        .join('');
}
