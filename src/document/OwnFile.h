#pragma once
#include <QByteArray>
#include <QString>

#include <initializer_list>

namespace ink {

// Writes a file of the program's own (a working file, a preview file) so
// that nobody else's file can be written through it: a symbolic link, a
// device or pipe, a file of another user or one with a second hard link in
// its place is refused, never followed; a new file is created exclusively,
// readable by the user only. False, with the reason, on any failure.
bool writeOwnFile(const QString& path, const QByteArray& bytes, QString* reason = nullptr);
// The same for bytes in pieces, written one after the other.
bool writeOwnFile(const QString& path, std::initializer_list<QByteArrayView> pieces,
                  QString* reason = nullptr);

// This run's private temporary folder (mode 0700, in the system's temporary
// folder, named after the process), made at the first call and removed with
// its files when the program ends. "" when it cannot be made.
QString privateTempFolder();

}
