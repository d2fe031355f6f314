#pragma once
#include <QString>

namespace ink {

// Fixed first entries of the quick link and image pickers' lists.
inline constexpr const char* EditInnerStringEntry = "Edit Inner String";
inline constexpr const char* PickerLineEntry = "-----------------";

// The inner string kept from an input box answer: empty for an empty answer,
// otherwise the answer with one blank in front, so that it can follow an
// attribute value directly.
QString innerStringFromAnswer(const QString& answer);

// A file name as a relative URL: characters a URL cannot carry as they stand
// (blanks, "#", "?", "%", quotes, angle brackets, "&", non-ASCII letters) are
// percent-encoded as UTF-8; a plain name stays as it is.
QString fileNameUrl(const QString& fileName);

// The start tag of the link to `fileName`, with the inner string inside it.
QString quickLinkOpening(const QString& fileName, const QString& innerString);
// The file name as link text (HTML-escaped), for a link made without a
// selection in the Code view.
QString quickLinkText(const QString& fileName);
// The IMG element for `fileName` in the page's "images" folder.
QString quickImageElement(const QString& fileName, const QString& innerString);

}
