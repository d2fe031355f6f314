// Serialiser of the design surface: writes the document, or a part of it, in
// the form the program's pages are written in: upper-case element names, the
// classic camel-case attribute names, values unquoted where they may be, and
// CR LF line ends, with block elements starting on a line of their own.

const VOID_ELEMENTS = new Set(['AREA', 'BASE', 'BASEFONT', 'BGSOUND', 'BR', 'COL', 'EMBED',
    'FRAME', 'HR', 'IMG', 'INPUT', 'ISINDEX', 'KEYGEN', 'LINK', 'META', 'PARAM', 'SOURCE',
    'TRACK', 'WBR']);

// Their text is written as it stands, never escaped.
const RAW_TEXT_ELEMENTS = new Set(['SCRIPT', 'STYLE', 'XMP', 'IFRAME', 'NOEMBED', 'NOFRAMES',
    'PLAINTEXT']);

// Whitespace inside them is content.
const PRESERVING_ELEMENTS = new Set(['PRE', 'TEXTAREA', 'LISTING', 'PLAINTEXT', 'XMP']);

// Start tags that begin a new line; whitespace-only text beside them is layout.
const LINE_ELEMENTS = new Set(['HTML', 'HEAD', 'TITLE', 'META', 'LINK', 'BASE', 'STYLE',
    'SCRIPT', 'BODY', 'P', 'DIV', 'H1', 'H2', 'H3', 'H4', 'H5', 'H6', 'UL', 'OL', 'DL', 'DT',
    'DD', 'LI', 'TABLE', 'CAPTION', 'COLGROUP', 'COL', 'THEAD', 'TBODY', 'TFOOT', 'TR', 'TD',
    'TH', 'BLOCKQUOTE', 'PRE', 'FORM', 'HR', 'ADDRESS', 'CENTER', 'FIELDSET', 'MENU', 'DIR',
    'NOSCRIPT', 'FRAMESET', 'FRAME', 'NOFRAMES', 'LISTING', 'XMP', 'MARQUEE']);

// End tags that begin a new line: containers whose direct text is never shown.
const LINE_END_ELEMENTS = new Set(['HTML', 'HEAD', 'BODY', 'TABLE', 'THEAD', 'TBODY', 'TFOOT',
    'TR', 'UL', 'OL', 'DL', 'FRAMESET', 'COLGROUP', 'MENU', 'DIR']);

// Containers whose whitespace-only text is never shown.
const STRUCTURAL_ELEMENTS = new Set(['HTML', 'HEAD', 'TABLE', 'THEAD', 'TBODY', 'TFOOT', 'TR',
    'UL', 'OL', 'DL', 'SELECT', 'COLGROUP', 'FRAMESET', 'MENU', 'DIR']);

const CAMEL_CASE_ATTRIBUTES = new Map(['aLink', 'accessKey', 'bgColor', 'bgProperties',
    'borderColor', 'borderColorDark', 'borderColorLight', 'bottomMargin', 'cellPadding',
    'cellSpacing', 'codeBase', 'codeType', 'colSpan', 'contentEditable', 'dataFld',
    'dataFormatAs', 'dataSrc', 'dateTime', 'dynSrc', 'encType', 'frameBorder', 'hideFocus',
    'hSpace', 'isMap', 'leftMargin', 'longDesc', 'lowSrc', 'marginHeight', 'marginWidth',
    'maxLength', 'noHref', 'noResize', 'noShade', 'noWrap', 'readOnly', 'rightMargin', 'rowSpan',
    'scrollAmount', 'scrollDelay', 'tabIndex', 'topMargin', 'trueSpeed', 'useMap', 'vAlign',
    'vLink', 'vSpace'].map(name => [name.toLowerCase(), name]));

// Written as a bare name when their value is empty.
const BOOLEAN_ATTRIBUTES = new Set(['checked', 'selected', 'disabled', 'readonly', 'multiple',
    'nowrap', 'noshade', 'noresize', 'nohref', 'ismap', 'compact', 'declare', 'defer',
    'truespeed']);

// Invisible stand-ins that keep an empty element open for typing; never
// written. See pasteSelectingInner().
const PLACEHOLDER = '\u200b';
const placeholderTexts = new WeakSet();

function writtenText(node, start = 0, end = node.data.length)
{
    const text = node.data.slice(start, end);
    return placeholderTexts.has(node) ? text.split(PLACEHOLDER).join('') : text;
}

const UNQUOTED_VALUE = /^[A-Za-z0-9\-_.:#\/]+$/;
const LAYOUT_WHITESPACE = /^[ \t\n\r\f]*$/;

function crlf(text)
{
    return text.replace(/\r\n|\r|\n/g, '\r\n');
}

function escapeText(text)
{
    return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;')
        .replace(/\u00a0/g, '&nbsp;');
}

function escapeAttribute(text)
{
    return text.replace(/&/g, '&amp;').replace(/"/g, '&quot;').replace(/\u00a0/g, '&nbsp;');
}

function elementName(node)
{
    return node.nodeType === Node.ELEMENT_NODE ? node.tagName.toUpperCase() : '';
}

// Where the child stands among its parent's children, counted by the engine
// without handing each sibling to the script (a body may have many
// thousands).
function childIndex(child)
{
    const range = document.createRange();
    range.selectNode(child);
    return range.startOffset;
}

// Collects the output and knows whether it stands at the start of a line.
class MarkupWriter {
    constructor(atLineStart)
    {
        this.parts = [];
        this.atLineStart = atLineStart;
    }

    write(text)
    {
        if (!text)
            return;
        this.parts.push(text);
        this.atLineStart = text.endsWith('\n');
    }

    // Starts a new line unless the output already stands at one, so that
    // writing a page again never adds blank lines.
    newLine()
    {
        if (!this.atLineStart)
            this.write('\r\n');
    }

    text()
    {
        return this.parts.join('');
    }
}

function attributeText(attribute)
{
    const name = CAMEL_CASE_ATTRIBUTES.get(attribute.name) || attribute.name;
    const value = attribute.value;
    if (value === '' && BOOLEAN_ATTRIBUTES.has(attribute.name))
        return ' ' + name;
    if (UNQUOTED_VALUE.test(value))
        return ' ' + name + '=' + value;
    return ' ' + name + '="' + crlf(escapeAttribute(value)) + '"';
}

function startTag(element, name)
{
    let text = '<' + name;
    for (const attribute of element.attributes)
        text += attributeText(attribute);
    return text + '>';
}

function isLineElement(node)
{
    return node !== null && LINE_ELEMENTS.has(elementName(node));
}

function sideIsLayout(sibling, parent)
{
    if (sibling)
        return isLineElement(sibling);
    return parent !== null && isLineElement(parent);
}

// Whitespace-only text between blocks, or inside containers that show no
// text, is the page's layout: the writer lays the page out itself.
function isLayoutText(node)
{
    if (!LAYOUT_WHITESPACE.test(node.data))
        return false;
    const parent = node.parentNode;
    if (parent && STRUCTURAL_ELEMENTS.has(elementName(parent)))
        return true;
    return sideIsLayout(node.previousSibling, parent) || sideIsLayout(node.nextSibling, parent);
}

function writeChildren(parent, writer, preserve)
{
    const container = elementName(parent) === 'TEMPLATE' ? parent.content : parent;
    for (let child = container.firstChild; child; child = child.nextSibling)
        writeNode(child, writer, preserve);
}

function writeElement(element, writer, preserve, writeContent = writeChildren)
{
    const name = elementName(element);
    if (!preserve && LINE_ELEMENTS.has(name))
        writer.newLine();
    writer.write(startTag(element, name));
    if (VOID_ELEMENTS.has(name))
        return;
    const inner = preserve || PRESERVING_ELEMENTS.has(name);
    if (RAW_TEXT_ELEMENTS.has(name)) {
        writer.write(crlf(element.textContent));
    } else {
        // The parser drops one line break right after these start tags.
        const first = element.firstChild;
        if (PRESERVING_ELEMENTS.has(name) && first && first.nodeType === Node.TEXT_NODE
            && first.data.startsWith('\n'))
            writer.write('\r\n');
        writeContent(element, writer, inner);
    }
    if (!preserve && LINE_END_ELEMENTS.has(name))
        writer.newLine();
    writer.write('</' + name + '>');
}

function writeNode(node, writer, preserve)
{
    switch (node.nodeType) {
    case Node.ELEMENT_NODE:
        writeElement(node, writer, preserve);
        break;
    case Node.TEXT_NODE:
        if (preserve || !isLayoutText(node))
            writer.write(crlf(escapeText(writtenText(node))));
        break;
    case Node.COMMENT_NODE:
        writer.write(commentText(node.data));
        break;
    case Node.DOCUMENT_FRAGMENT_NODE:
        writeChildren(node, writer, preserve);
        break;
    }
}

// The parser reads "<?php ... ?>", "<?xml ... ?>" and the like as comments
// whose text starts with "?": they are written back in their own form, so
// that server-side code survives.
function commentText(data)
{
    if (data.startsWith('?'))
        return crlf('<' + data + '>');
    return '<!--' + crlf(data) + '-->';
}

function doctypeText(doctype)
{
    let text = '<!DOCTYPE ' + doctype.name.toUpperCase();
    if (doctype.publicId)
        text += ' PUBLIC "' + doctype.publicId + '"';
    if (doctype.systemId)
        text += (doctype.publicId ? ' "' : ' SYSTEM "') + doctype.systemId + '"';
    return text + '>';
}

function isInsidePreserving(node)
{
    for (let n = node; n; n = n.parentNode) {
        if (PRESERVING_ELEMENTS.has(elementName(n)))
            return true;
    }
    return false;
}

// The whole document. `sourceDoctype` is the DOCTYPE line the document was
// loaded with; the document's own DOCTYPE is written as it stood there.
function serialiseDocument(sourceDoctype)
{
    const writer = new MarkupWriter(true);
    for (let node = document.firstChild; node; node = node.nextSibling) {
        if (node.nodeType === Node.DOCUMENT_TYPE_NODE)
            writer.write(sourceDoctype || doctypeText(node));
        else
            writeNode(node, writer, false);
    }
    return writer.text();
}

// The part of `node` that the range takes in, written from the document
// itself: elements partly taken in keep their tags around their part.
function writeRangePart(node, range, writer, preserve)
{
    if (!range.intersectsNode(node))
        return;
    if (node.nodeType === Node.TEXT_NODE) {
        const start = node === range.startContainer ? range.startOffset : 0;
        const end = node === range.endContainer ? range.endOffset : node.data.length;
        if (start === 0 && end === node.data.length)
            writeNode(node, writer, preserve);
        else if (start < end)
            writer.write(crlf(escapeText(writtenText(node, start, end))));
        return;
    }
    if (node.nodeType !== Node.ELEMENT_NODE || containsWholly(range, node)) {
        writeNode(node, writer, preserve);
        return;
    }
    writeElement(node, writer, preserve, (element, partWriter, inner) => {
        for (let child = element.firstChild; child; child = child.nextSibling)
            writeRangePart(child, range, partWriter, inner);
    });
}

// What a range takes in, as its htmlText gives it: a block at the very
// start begins with a line break.
function serialiseRange(range)
{
    const writer = new MarkupWriter(false);
    const root = range.commonAncestorContainer;
    const preserve = isInsidePreserving(root);
    if (root.nodeType === Node.TEXT_NODE) {
        writeRangePart(root, range, writer, preserve);
    } else {
        for (let child = root.firstChild; child; child = child.nextSibling)
            writeRangePart(child, range, writer, preserve);
    }
    return writer.text();
}

// Content of a node, as innerHTML gives it: a block at the very start
// begins with a line break.
function serialiseContent(node)
{
    const writer = new MarkupWriter(false);
    writeChildren(node, writer, isInsidePreserving(node));
    return writer.text();
}

function serialiseOuter(element)
{
    const writer = new MarkupWriter(true);
    writeNode(element, writer, isInsidePreserving(element.parentNode));
    return writer.text();
}
