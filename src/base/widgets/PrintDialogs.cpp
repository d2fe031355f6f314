#include "base/widgets/PrintDialogs.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

namespace ink {

namespace {
PrintDialogResponder& responder()
{
    static PrintDialogResponder instance;
    return instance;
}
PrintPreviewResponder& previewResponder()
{
    static PrintPreviewResponder instance;
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

void setPrintPreviewTestResponder(PrintPreviewResponder r)
{
    previewResponder() = std::move(r);
}

bool showPrintPreview(QPrinter& printer, QWidget* parent, const PaintRequest& paint)
{
    if (previewResponder())
        return previewResponder()(printer, paint);
    QPrintPreviewDialog dialog(&printer, parent);
    bool failed = false;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&failed, &paint](QPrinter* target) { failed = !paint(target) || failed; });
    dialog.exec();
    return !failed;
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
