#include "base/widgets/PrintDialogs.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace ink {

namespace {
PrintDialogResponder& responder()
{
    static PrintDialogResponder instance;
    return instance;
}
}

void setPrintDialogTestResponder(PrintDialogResponder r)
{
    responder() = std::move(r);
}

bool askPrinter(QPrinter& printer, QWidget* parent)
{
    if (responder())
        return responder()(printer);
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool printerSucceeded(QPrinter& printer)
{
    if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted)
        return false;
    if (printer.outputFileName().isEmpty())
        return true;
    const QFileInfo file(printer.outputFileName());
    return file.exists() && file.size() > 0;
}

PrintResult printPlainText(const QString& text, const QString& documentName, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    if (!askPrinter(printer, parent))
        return PrintResult::Cancelled;
    QTextDocument document;
    document.setDefaultFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    document.setPlainText(text);
    document.print(&printer);
    return printerSucceeded(printer) ? PrintResult::Printed : PrintResult::Failed;
}

}
