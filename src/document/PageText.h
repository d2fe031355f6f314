#pragma once
#include <QString>

namespace ink {

// Text rules the document window applies to a page's source.

// A page holding "<frameset" (exactly, lower case) cannot enter the Design view.
bool isFramesetPage(const QString& text);
// How often "<title" (exactly, lower case) occurs.
int countTitleTags(const QString& text);

// The result of writing the title box into a page's text.
struct TitleEdit {
    enum Outcome {
        NoTitleElement, // no "<TITLE>": the title box is emptied, the page unchanged
        NoTitleEnd,     // "<TITLE>" without a later "</TITLE>": nothing changes
        Replaced,
    };
    Outcome outcome = NoTitleElement;
    QString text;
};

// Puts `title` between the first "<TITLE>" and the first "</TITLE>" after it
// (both case-sensitive, the program's own serialised form); a page without
// them has its title element found in any case ("<title>", "<Title lang=en>").
// Every other character of the page is kept, and so is the source form of
// every character of the old title the new one still has (a reference, a
// server-side block). Typed text is written as typed, except an & that would
// start a reference and a < that would end the title, so that the title
// box's text can never break the page's markup.
TitleEdit replaceTitle(const QString& page, const QString& title);

}
