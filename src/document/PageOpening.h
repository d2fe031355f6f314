#pragma once
#include "document/PageFile.h"

#include <QString>

namespace ink {

// A page file read for opening, with what the open decides from its text.
// Everything here is worked out from the file alone, so that a long page
// can be read and looked over away from the window's thread.
struct PageOpening {
    PageFileContent content;
    // The page holds a frameset: the Design view cannot show it.
    bool frameset = false;
    // How many title tags it holds (a page may have one).
    int titleTags = 0;
    // No generator marker for the Code view to rewrite: the page is the
    // same text in both views from the start.
    bool keepsItsText = false;
    // The charset the page declares, to tell later whether a save must
    // encode it anew.
    QString declaredCharset;
    // The page's working file, written ahead for the window that will show
    // it (see WorkingFile::writeAhead), when the open asked for one.
    QString workingFileAhead;

    // The page goes into the Design view as it was read: it is not refused
    // (a frameset; more than one title when titles are checked), and the
    // Code view has nothing to rewrite in it first.
    bool loadsAsRead(bool titleCheck) const
    {
        return content.ok && !frameset && !(titleCheck && titleTags > 1) && keepsItsText;
    }
};

// Reads the page at `path` (see readPageFile); on failure only `content`
// is filled, with the reason.
PageOpening readPageForOpening(const QString& path);

}
