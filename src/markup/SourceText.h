#pragma once
#include <QByteArray>
#include <QString>

#include <vector>

namespace ink {

// How a page writes what the user adds to it: the line break its own text
// uses, and whether characters beyond ASCII need writing as numeric
// references (a page that declares no character set and holds none is read
// by browsers as windows-1252, where UTF-8 bytes come out garbled).
struct PageForm {
    QByteArray lineBreak = "\r\n";
    bool asciiOnly = false;
};

PageForm pageFormOf(const QByteArray& utf8);

// How the content of a text node is read from its source bytes.
enum class TextKind {
    Markup,  // character references decoded; & < > written as references;
             // a line break or tab that now reads as a space is unchanged
             // (the engine turns whitespace beside typing into spaces)
    Preformatted, // the same inside PRE, where whitespace is content
    Rcdata,  // title, textarea: references decoded, tags not read
    Raw,     // script, style: every character as it stands
};

// The text kind of a text node inside the element of this key ("TITLE").
TextKind textKindIn(const QString& elementKey);

// The source bytes of a text node whose content is now `text`. Every
// character the user left keeps its source bytes (a reference such as
// &eacute; or &#169;, a raw byte sequence, the page's line break); what was
// typed is written in `form` and escaped as the kind needs.
// Where a text node stands in its block. Whitespace at a block's start or
// end is never shown; the engine drops it beside typing there, and the
// source keeps it.
struct TextPlace {
    bool startsBlock = false;
    bool endsBlock = false;
};

QByteArray rewriteText(const QByteArray& source, const QString& text, TextKind kind,
                       const PageForm& form, TextPlace place = {});

// An element's current attribute: its name, value and the program's form of
// it (" bgColor=#ffffff", with its leading space).
struct AttributeNow {
    QString name;
    QString value;
    QString written;
};

// The start tag `source` ("<BODY bgcolor='red' TEXT=black>") with the
// element's attributes now `attributes`: an attribute whose value did not
// change keeps its source text, a changed one is written anew in its place,
// a removed one goes and an added one goes at the end.
QByteArray rewriteStartTag(const QByteArray& source, const std::vector<AttributeNow>& attributes);

}
