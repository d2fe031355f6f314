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

// The print preview dialog. `paint` draws the document on the printer it is
// given and says whether that worked; the result is false when any painting
// failed.
using PaintRequest = std::function<bool(QPrinter*)>;
bool showPrintPreview(QPrinter& printer, QWidget* parent, const PaintRequest& paint);

// When set, showPrintPreview calls this instead of showing the dialog; it
// may call `paint` on a printer of its own (a PDF file) and returns what
// painting gave.
using PrintPreviewResponder = std::function<bool(QPrinter&, const PaintRequest&)>;
void setPrintPreviewTestResponder(PrintPreviewResponder responder);

// Whether a print job that has ended left the printer in good order: no
// error reported, and a file printer wrote a file with content.
bool printerSucceeded(QPrinter& printer);

enum class PrintResult { Printed, Cancelled, Failed };

// Prints plain text in a fixed-width font, straight from memory, after the
// print dialog.
PrintResult printPlainText(const QString& text, const QString& documentName, QWidget* parent);

}
