// Seeded tag soup: replies built from the markup that changes how a body is parsed (blocks
// across formatting elements, table parts in the wrong places, select, template, SVG and
// MathML, raw text, references), with the acknowledgement's words scattered among them.
// The same seed always gives the same replies.

// mulberry32: small, fast and the same on every Node.js version.
function random(seed) {
    let a = seed >>> 0;
    return () => {
        a = (a + 0x6d2b79f5) >>> 0;
        let t = a;
        t = Math.imul(t ^ (t >>> 15), t | 1);
        t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
}

const TAGS = [
    'p', 'div', 'span', 'li', 'ul', 'ol', 'dl', 'dd', 'dt', 'b', 'i', 'u', 'em', 'strong', 'a',
    'font', 'nobr', 's', 'code', 'big', 'small', 'table', 'tr', 'td', 'th', 'tbody', 'thead',
    'tfoot', 'caption', 'colgroup', 'col', 'select', 'option', 'optgroup', 'template', 'svg',
    'math', 'foreignObject', 'desc', 'mi', 'mtext', 'annotation-xml', 'path', 'clipPath', 'h1',
    'h2', 'h3', 'pre', 'listing', 'textarea', 'title', 'script', 'style', 'noscript', 'xmp',
    'iframe', 'br', 'hr', 'img', 'image', 'input', 'form', 'button', 'marquee', 'object',
    'applet', 'ruby', 'rb', 'rt', 'rp', 'rtc', 'center', 'blockquote', 'section', 'address',
    'body', 'html', 'head', 'frameset', 'meta', 'link', 'keygen', 'wbr', 'sub', 'sup', 'menu',
    'details', 'summary', 'fieldset', 'label', 'custom-tag', 'X', 'Table', 'TD',
];
const ATTRIBUTES = [
    'class="c"', 'id=x', 'href="/a?b=1&amp;c=2"', 'title=\'t "q"\'', 'type=hidden',
    'type=text', 'color=red', 'encoding="text/html"', 'viewbox="0 0 1 1"', 'definitionurl=u',
    'xlink:href=#a', 'data-x', 'style="a:b"', 'onclick="f()"', 'value=&lt;v&gt;',
];
const TEXTS = [
    'Data received.', ' Thank you.', 'Data received. Thank you.', 'Data', ' received.',
    'Thank', ' you.', 'x', ' ', '\n', '  \t', 'a &amp; b', '&lt;b&gt;', '&copy;', '&nbsp;',
    '&notin', '&period;', '&#65;', '&#x80;', '&amp', 'text', 'Ok', '\u0634\u0643\u0631\u0627',
    '<', '>', '&', '"', 'data received. thank you.',
];
const MARKUP = [
    '<!-- c -->', '<!---->', '<!-->', '<?pi?>', '<![CDATA[d]]>', '</>', '</ x>', '<!DOCTYPE html>',
    '<br/>', '<p/>', '<svg/>', '</br>', '</p>', '</svg>', '</math>', '</table>', '</select>',
    '</template>', '</body>', '</html>', '<script><!--<script></script>x</script>',
];

function pick(next, list) {
    return list[Math.floor(next() * list.length)];
}

function reply(next) {
    const parts = [];
    const length = 1 + Math.floor(next() * 24);
    for (let i = 0; i < length; ++i) {
        const r = next();
        if (r < 0.42) {
            let tag = `<${pick(next, TAGS)}`;
            while (next() < 0.25) tag += ` ${pick(next, ATTRIBUTES)}`;
            parts.push(tag + (next() < 0.05 ? '/>' : '>'));
        } else if (r < 0.7) {
            parts.push(`</${pick(next, TAGS)}>`);
        } else if (r < 0.94) {
            parts.push(pick(next, TEXTS));
        } else {
            parts.push(pick(next, MARKUP));
        }
    }
    return parts.join('');
}

// `count` replies of the seed, each named "soup-N".
export function generate(seed, count) {
    const next = random(seed);
    return Array.from({ length: count }, (_, i) => ({ name: `soup-${i + 1}`, html: reply(next) }));
}
