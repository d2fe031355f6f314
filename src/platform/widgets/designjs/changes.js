// What the user changed since the page was loaded, kept so that the page can
// be written back as its source text with only the changed parts written
// anew. The description goes to the program, which holds the source text
// and where each original node stands in it.

// Element -> its child-list mutations, in order.
const childRecords = new Map();
const attributesChanged = new Set();
const dataChanged = new Set();
// Node -> the parent it was first taken out of, or null for a node first
// seen being added (one the page did not have).
const firstParents = new Map();

function noteFirstParents(record)
{
    for (const node of record.removedNodes) {
        if (!firstParents.has(node))
            firstParents.set(node, record.target);
    }
    for (const node of record.addedNodes) {
        if (!firstParents.has(node))
            firstParents.set(node, null);
    }
}

function trackMutation(record)
{
    if (record.type === 'childList') {
        noteFirstParents(record);
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
// The list holds nodes and runs ({from, count}: the children now at
// positions from .. from + count - 1, which no change touched and which
// stood together, in that order, in the page too).
function originalChildren(node, current)
{
    const list = [...current];
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

// Longer child lists are described with runs of untouched children, as long
// as few of the children are named by the changes.
const RUNS_FROM_CHILDREN = 64;
const MOST_NAMED_CHILDREN = 64;

// The node's children now (the DOCTYPE included), as nodes and runs: every child a change names
// (added, removed, the one before a change, or changed inside) is given as a
// node, the rest as runs.
function currentChildren(node, touched)
{
    const total = node.childNodes.length;
    if (node.nodeType === Node.DOCUMENT_NODE || total < RUNS_FROM_CHILDREN)
        return [...node.childNodes];
    const named = new Set();
    const name = child => {
        if (child && child.parentNode === node)
            named.add(child);
    };
    for (const record of childRecords.get(node) || []) {
        record.addedNodes.forEach(name);
        record.removedNodes.forEach(name);
        name(record.previousSibling);
    }
    for (const n of touched)
        name(n);
    if (named.size > MOST_NAMED_CHILDREN)
        return [...node.childNodes];
    const placed = [...named].map(child => [childIndex(child), child]).sort((a, b) => a[0] - b[0]);
    const list = [];
    let next = 0;
    for (const [at, child] of placed) {
        if (at > next)
            list.push({from: next, count: at - next});
        list.push(child);
        next = at + 1;
    }
    if (total > next)
        list.push({from: next, count: total - next});
    return list;
}

function isRun(entry)
{
    return !(entry instanceof Node);
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

// A text or comment node whose content changed: a comment in the program's
// form, a text as its content, which the program writes back character by
// character over its source.
function changedData(node, path)
{
    if (node.nodeType === Node.COMMENT_NODE)
        return {p: path, k: '!', t: commentText(node.data)};
    const described = {p: path, k: '#', d: writtenText(node)};
    if (isInsidePreserving(node.parentNode))
        described.s = 1;
    if (edgesBlock(node.previousSibling, node.parentNode))
        described.b = 1;
    if (edgesBlock(node.nextSibling, node.parentNode))
        described.e = 1;
    return described;
}

// Whether whitespace between a text and its sibling (or, with none, its
// parent's edge) is never shown: at a block's edge, or beside a block or a
// line break.
function edgesBlock(sibling, parent)
{
    const shown = element => element && element.nodeType === Node.ELEMENT_NODE
        && getComputedStyle(element).display;
    if (sibling)
        return elementName(sibling) === 'BR' || (shown(sibling) || 'inline') !== 'inline';
    const display = shown(parent);
    return !!display && display !== 'inline' && display !== 'contents';
}

// Where the page had each node, worked out from the child-list changes:
// the path of an original node, null for a node the page did not have.
class OriginalPaths {
    constructor()
    {
        this.paths = new Map([[document, '']]);
        this.lists = new Map();
    }

    childrenOf(parent)
    {
        if (!this.lists.has(parent))
            this.lists.set(parent, originalChildren(parent, [...parent.childNodes]) || []);
        return this.lists.get(parent);
    }

    parentOf(node)
    {
        return firstParents.has(node) ? firstParents.get(node) : node.parentNode;
    }

    pathOf(node)
    {
        if (this.paths.has(node))
            return this.paths.get(node);
        const parent = this.parentOf(node);
        let path = null;
        const parentPath = parent ? this.pathOf(parent) : null;
        if (parentPath !== null) {
            const at = this.childrenOf(parent).indexOf(node);
            if (at >= 0)
                path = parentPath === '' ? String(at) : parentPath + '.' + at;
        }
        this.paths.set(node, path);
        return path;
    }

    // The node or one inside it was in the page.
    holdsOriginal(node)
    {
        if (this.pathOf(node) !== null)
            return true;
        for (let child = node.firstChild; child; child = child.nextSibling) {
            if (this.holdsOriginal(child))
                return true;
        }
        return false;
    }
}

// A node that was not in this place: an original node moved here keeps its
// source text; a new one is written in the program's form, around any
// original nodes it holds.
function describeMoved(node, touched, origins, preserve)
{
    const path = origins.pathOf(node);
    if (path !== null) {
        const described = describeNode(node, path, touched, origins);
        described.m = 1;
        return described;
    }
    if (node.nodeType !== Node.ELEMENT_NODE || VOID_ELEMENTS.has(elementName(node))
        || RAW_TEXT_ELEMENTS.has(elementName(node)) || !origins.holdsOriginal(node))
        return programForm(node, preserve);
    const name = elementName(node);
    const inner = preserve || PRESERVING_ELEMENTS.has(name);
    const items = [...node.childNodes].map(child => describeMoved(child, touched, origins, inner));
    return {o: (!preserve && LINE_ELEMENTS.has(name) ? '\r\n' : '') + startTag(node, name),
        c: items, e: (!preserve && LINE_END_ELEMENTS.has(name) ? '\r\n' : '') + '</' + name + '>'};
}

// The element's attributes with the program's form of each, so that only
// the changed ones are written anew.
function attributeList(element)
{
    return [...element.attributes].map(a => [a.name, a.value, attributeText(a)]);
}

function describeNode(node, path, touched, origins)
{
    if (origins.whole.has(path) && node.nodeType !== Node.DOCUMENT_NODE) {
        const key = node.nodeType === Node.ELEMENT_NODE ? nodeKey(node) : nodeKey(node)[0];
        return {p: path, k: key, t: programForm(node, isInsidePreserving(node.parentNode))};
    }
    if (!touched.has(node))
        return {p: path, k: nodeKey(node)};
    if (node.nodeType !== Node.ELEMENT_NODE && node.nodeType !== Node.DOCUMENT_NODE)
        return changedData(node, path);
    // Nodes asked for whole may stand in a run: every child is named then.
    const current = origins.whole.size ? [...node.childNodes] : currentChildren(node, touched);
    const original = originalChildren(node, current);
    const preserve = isInsidePreserving(node);
    if (original === null)
        return {p: path, k: nodeKey(node), t: programForm(node, preserve)};
    // Where each node and run stood in the page.
    const index = new Map();
    let count = 0;
    for (const entry of original) {
        index.set(entry, count);
        count += isRun(entry) ? entry.count : 1;
    }
    const prefix = path === '' ? '' : path + '.';
    const items = [];
    for (const entry of sourceChildren(current)) {
        if (isRun(entry)) {
            const children = node.childNodes;
            items.push({p: prefix + index.get(entry), k: nodeKey(children[entry.from]),
                r: entry.count, l: nodeKey(children[entry.from + entry.count - 1])});
        } else if (index.has(entry)) {
            items.push(describeNode(entry, prefix + index.get(entry), touched, origins));
        } else {
            items.push(describeMoved(entry, touched, origins, preserve));
        }
    }
    const described = {p: path, k: node.nodeType === Node.DOCUMENT_NODE ? '' : nodeKey(node),
        a: null, c: items, n: count};
    if (node.nodeType === Node.ELEMENT_NODE && attributesChanged.has(node)) {
        described.a = startTag(node, elementName(node));
        described.v = attributeList(node);
    }
    return described;
}

// The description of the document's changes as JSON text, null when
// nothing changed, or "" when the changes are not known node by node.
// The nodes at `wholePaths` are described by their whole markup: the
// program could not lay their changes over their source text.
function documentChanges(wholePaths)
{
    if (!documentChanged())
        return null;
    if (editedBeforeWatching)
        return '';
    const origins = new OriginalPaths();
    origins.whole = new Set(wholePaths || []);
    const described = describeNode(document, '', touchedNodes(), origins);
    return JSON.stringify(described);
}

// The node at a path of child indices from the document down, the DOCTYPE
// not counted; null when there is none.
function nodeAtPath(path)
{
    let node = document;
    for (const step of path === '' ? [] : path.split('.')) {
        const children = node === document ? sourceChildren([...node.childNodes]) : node.childNodes;
        node = children[Number(step)];
        if (!node)
            return null;
    }
    return node;
}

// Each node of the nodes' subtrees as a "depth key" line.
function shapeOf(nodes)
{
    let shape = '';
    const walk = (node, depth) => {
        shape += depth + ' ' + nodeKey(node) + '\n';
        for (let child = node.firstChild; child; child = child.nextSibling)
            walk(child, depth + 1);
    };
    for (const node of nodes)
        walk(node, 1);
    return shape;
}

// Brings the document in line with a new text of the page without loading
// it again: `count` children of the element at `path`, from `first` on, are
// replaced by the nodes `markup` makes inside that element, which must come
// out as `shape` says. The page then counts as loaded from the new text:
// nothing is a change, and the own undo steps (which name the old nodes)
// are gone. 'changed' when the document has edits of its own (they would
// be lost), false when the markup does not come out as the text's parse.
function patchDocument(path, first, count, markup, shape)
{
    if (documentChanged() || editedBeforeWatching)
        return 'changed';
    const parent = nodeAtPath(path);
    if (!parent || parent.nodeType !== Node.ELEMENT_NODE
        || first + count > parent.childNodes.length)
        return false;
    // A copy of the element reads the markup as the element would.
    const holder = parent.cloneNode(false);
    holder.innerHTML = markup;
    if (shapeOf([...holder.childNodes]) !== shape)
        return false;
    const next = parent.childNodes[first + count] || null;
    for (let i = 0; i < count; ++i)
        parent.childNodes[first].remove();
    const fragment = document.createDocumentFragment();
    while (holder.firstChild)
        fragment.appendChild(holder.firstChild);
    parent.insertBefore(fragment, next);
    forgetChanges();
    return true;
}

function forgetChanges()
{
    if (changeObserver)
        changeObserver.takeRecords();
    childRecords.clear();
    firstParents.clear();
    attributesChanged.clear();
    dataChanged.clear();
    changedSinceLoad = false;
    forgetEditSteps();
}
