// Minifies the page's own script for ./kit web: comments and indentation go, line breaks stay
// where the source has them (so no statement changes meaning), names stay as they are.
//   node Minify.mjs IN.js OUT.js
import fs from 'node:fs';
import { createRequire } from 'node:module';

const acorn = createRequire(import.meta.url)('/usr/share/nodejs/acorn');

const [input, output] = process.argv.slice(2);
const source = fs.readFileSync(input, 'utf8');
const word = /[A-Za-z0-9_$\u0080-\uffff]/;
const inTemplate = new Set(['template', '`', '${', 'invalidTemplate']);
let out = '', last = null;
for (const token of acorn.tokenizer(source, { ecmaVersion: 'latest' })) {
  const text = source.slice(token.start, token.end);
  if (last) {
    const gap = source.slice(last.end, token.start);
    const a = out[out.length - 1], b = text[0];
    if (inTemplate.has(last.type.label) || inTemplate.has(token.type.label)) out += '';
    else if (/\n/.test(gap)) out += '\n';
    else if ((word.test(a) && word.test(b)) || (a === b && (a === '+' || a === '-'))) out += ' ';
  }
  out += text;
  last = token;
}
fs.writeFileSync(output, out + '\n');
