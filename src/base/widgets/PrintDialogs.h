#pragma once
#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace ink {

// The print dialog every print command asks through: true when the user
// chose a printer (the dialog's settings are then in `printer`).
bool askPrinter(QPrinter& printer, QWidget* parent);

// When set, askPrinter calls this instead of showing the dialog. Tests use it
// to print into a PDF file (set the printer's output file name and return
// true) or to cancel (return false).
using PrintDialogResponder = std::function<bool(QPrinter&)>;
void setPrintDialogTestResponder(PrintDialogResponder responder);

// Whether a print job that has ended left the printer in good order: no
// error reported, and a file printer wrote a file with content.
bool printerSucceeded(QPrinter& printer);

enum class PrintResult { Printed, Cancelled, Failed };

// Prints plain text in a fixed-width font, straight from memory, after the
// print dialog.
PrintResult printPlainText(const QString& text, const QString& documentName, QWidget* parent);

}
