#pragma once
#include <QString>

namespace ink {

// Taking paths apart. The separator is "/"; drive letters, quoting and other
// separators are not looked at. None of these fail on any text.

// Every part of the path before the last "/", without a trailing "/":
// "/site/index.html" -> "/site", "/site/proj/" -> "/site/proj",
// "index.html" -> "" and "/index.html" -> "" (nothing before the only "/").
QString folderOfPath(const QString& path);

// The part after the last "/" (the whole text when there is none); "" for a
// path that ends in "/".
QString fileNameOfPath(const QString& path);

// The file name without its last extension: "main.css" -> "main",
// "my.site.css" -> "my.site". A name without a dot ("README") and a name
// that is only an extension (".htaccess") give "".
QString baseNameOfPath(const QString& path);

// The path made absolute against the current folder and cleaned of "." and
// ".." parts: "./page.html" run from "/site" -> "/site/page.html". A page is
// known by its absolute path from the moment it enters the program, so that
// it is saved where it was read. "" stays "".
QString absolutePath(const QString& path);

// The last rightCount characters of the first leftCount characters of text;
// a count beyond the text takes all of it. A negative count gives "".
QString substr(const QString& text, int leftCount, int rightCount);

}
