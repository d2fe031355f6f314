// What the user changed since the page was loaded, kept so that the page can
// be written back as its source text with only the changed parts written
// anew. The description goes to the program, which holds the source text
// and where each original node stands in it.

// Element -> its child-list mutations, in order.
const childRecords = new Map();
const attributesChanged = new Set();
const dataChanged = new Set();

function trackMutation(record)
{
    if (record.type === 'childList') {
        if (!childRecords.has(record.target))
            childRecords.set(record.target, []);
        childRecords.get(record.target).push(record);
    } else if (record.type === 'attributes') {
        attributesChanged.add(record.target);
    } else {
        dataChanged.add(record.target);
    }
}

// Every changed node and all of its ancestors.
function touchedNodes()
{
    const touched = new Set();
    const mark = node => {
        for (let n = node; n && !touched.has(n); n = n.parentNode)
            touched.add(n);
    };
    childRecords.forEach((records, target) => mark(target));
    attributesChanged.forEach(mark);
    dataChanged.forEach(mark);
    return touched;
}

// The parse tree of the source has no DOCTYPE node.
function sourceChildren(nodes)
{
    return nodes.filter(node => node.nodeType !== Node.DOCUMENT_TYPE_NODE);
}

// The node's children as the page had them, found by taking its child-list
// mutations back on a copy of the list; null when they cannot be followed.
function originalChildren(node)
{
    const list = [...node.childNodes];
    const records = childRecords.get(node) || [];
    for (let i = records.length - 1; i >= 0; --i) {
        const record = records[i];
        for (const added of record.addedNodes) {
            const at = list.indexOf(added);
            if (at >= 0)
                list.splice(at, 1);
        }
        let at = 0;
        if (record.previousSibling) {
            at = list.indexOf(record.previousSibling) + 1;
            if (at === 0)
                return null;
        }
        list.splice(at, 0, ...record.removedNodes);
    }
    return sourceChildren(list);
}

function nodeKey(node)
{
    switch (node.nodeType) {
    case Node.ELEMENT_NODE: return elementName(node);
    case Node.COMMENT_NODE: return '!' + node.data.length;
    default: return '#' + node.data.length;
    }
}

function programForm(node, preserve)
{
    const writer = new MarkupWriter(false);
    writeNode(node, writer, preserve);
    return writer.text();
}

// A text or comment node whose content changed, in the program's form.
function changedData(node)
{
    if (node.nodeType === Node.COMMENT_NODE)
        return commentText(node.data);
    const parent = node.parentNode;
    if (parent && RAW_TEXT_ELEMENTS.has(elementName(parent)))
        return crlf(node.data);
    return crlf(escapeText(writtenText(node)));
}

function describeNode(node, path, touched)
{
    if (!touched.has(node))
        return {p: path, k: nodeKey(node)};
    if (node.nodeType !== Node.ELEMENT_NODE && node.nodeType !== Node.DOCUMENT_NODE)
        return {p: path, k: nodeKey(node)[0], t: changedData(node)};
    const original = originalChildren(node);
    const preserve = isInsidePreserving(node);
    if (original === null)
        return {p: path, k: nodeKey(node), t: programForm(node, preserve)};
    const index = new Map(original.map((child, i) => [child, i]));
    const prefix = path === '' ? '' : path + '.';
    const items = [];
    for (const child of sourceChildren([...node.childNodes])) {
        if (index.has(child))
            items.push(describeNode(child, prefix + index.get(child), touched));
        else
            items.push(programForm(child, preserve));
    }
    const tag = node.nodeType === Node.ELEMENT_NODE && attributesChanged.has(node)
        ? startTag(node, elementName(node)) : null;
    return {p: path, k: node.nodeType === Node.DOCUMENT_NODE ? '' : nodeKey(node), a: tag,
        c: items};
}

// The description of the document's changes as JSON text, or null when
// nothing changed.
function documentChanges()
{
    if (!documentChanged())
        return null;
    const described = describeNode(document, '', touchedNodes());
    return JSON.stringify(described);
}
