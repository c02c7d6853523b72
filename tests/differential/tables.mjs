// The name tables of SVG and MathML content, parse5's: the SVG element names whose case is
// restored, the SVG and MathML attribute names, and the XLink and XML attributes that foreign
// elements put into a namespace. One line an entry, as `replyview --tables` prints the view's.
//
// parse5 exports its element-name map whole; its attribute maps sit behind the adjust functions
// it exports, so every name its foreign-content module spells is put through those functions.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join, dirname } from 'node:path';
import { foreignContent, html } from 'parse5';

const SPACES = { [html.NS.XLINK]: 'xlink', [html.NS.XML]: 'xml', [html.NS.XMLNS]: 'xmlns' };

function adjusted(adjust, name) {
    const token = { attrs: [{ name, value: '' }] };
    adjust(token);
    return token.attrs[0];
}

export function parse5Tables() {
    const module = join(dirname(createRequire(import.meta.url).resolve('parse5')), 'common',
        'foreign-content.js');
    const names = new Set([...readFileSync(module, 'utf8').matchAll(/'([^'\s]+)'/g)]
        .map((m) => m[1].toLowerCase()));
    const entries = [...foreignContent.SVG_TAG_NAMES_ADJUSTMENT_MAP]
        .map(([name, to]) => `svg-element ${name} ${to}`);
    for (const name of names) {
        const svg = adjusted(foreignContent.adjustTokenSVGAttrs, name);
        if (svg.name !== name)
            entries.push(`svg-attribute ${name} ${svg.name}`);
        const mathml = adjusted(foreignContent.adjustTokenMathMLAttrs, name);
        if (mathml.name !== name)
            entries.push(`mathml-attribute ${name} ${mathml.name}`);
        const foreign = adjusted(foreignContent.adjustTokenXMLAttrs, name);
        if (foreign.namespace)
            entries.push(`foreign-attribute ${name} ${SPACES[foreign.namespace]}:${foreign.name}`);
    }
    return entries;
}

// Replies that put every entry of parse5's tables through a parse: the element names inside
// <svg>, the attributes on <svg> and <math>.
export function tableReplies(entries) {
    const named = (table) => entries.filter((e) => e.startsWith(`${table} `))
        .map((e) => e.split(' ')[1]);
    const attributes = (table) => named(table).map((name) => ` ${name}="1"`).join('');
    const foreign = attributes('foreign-attribute');
    return [
        { name: 'table-svg-elements', html: `<svg>${named('svg-element').map((n) => `<${n}/>`).join('')}</svg>` },
        { name: 'table-svg-attributes', html: `<svg${attributes('svg-attribute')}></svg>` },
        { name: 'table-mathml-attributes', html: `<math${attributes('mathml-attribute')}></math>` },
        { name: 'table-foreign-attributes', html: `<svg${foreign}></svg><math${foreign}></math>` },
    ];
}
