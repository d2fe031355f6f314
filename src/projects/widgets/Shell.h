#pragma once
#include <QString>
#include <functional>

class QWidget;

namespace ink {

// Work handed to the desktop.

// Carries out a verb on a file or address, without reporting the outcome:
// "open" opens a web address or file with the desktop's handler, or starts
// the file with `parameters` when it is a program; "Print" sends the file to
// the default printer with `lp`. Other verbs are ignored.
void shellOpen(const QString& verb, const QString& file, const QString& parameters);

// Asks for a folder, starting in startFolder (when not empty), with prompt as
// the dialog's caption text. Returns the chosen folder, "" when cancelled.
QString browseForFolder(const QString& startFolder, QWidget* owner, const QString& prompt);

// Answers browseForFolder instead of a dialog (tests); an empty function
// restores the dialog. The responder gets the start folder and the prompt.
void setBrowseForFolderResponder(std::function<QString(const QString&, const QString&)> responder);

// Copies a file or a folder with everything in it. A destination that is an
// existing folder receives the source under its own name; otherwise the copy
// takes the destination's name. A file already at the destination is
// replaced only when the user says so (each is asked about in turn) or when
// `noConfirmation` is true. Returns true only when everything was copied: a
// copy that broke off part-way, or one where the user kept a file that was
// in the way, returns false.
bool shellCopy(const QString& source, const QString& destination, bool noConfirmation);

}
