#include "seams/PrintSeam.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QString>

#include "seams/FileDialogSeam.h"

namespace {

std::function<bool()>& Availability()
{
    static std::function<bool()> available;
    return available;
}

TPrintAnswerer& PrintAnswerer()
{
    static TPrintAnswerer answerer;
    return answerer;
}

TPageSetupAnswerer& PageSetupAnswerer()
{
    static TPageSetupAnswerer answerer;
    return answerer;
}

} // namespace

bool PrinterAvailable()
{
    if (Availability()) {
        return Availability()();
    }
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

std::function<bool()> SetPrinterAvailability(std::function<bool()> available)
{
    std::function<bool()> previous = std::move(Availability());
    Availability() = std::move(available);
    return previous;
}

void SelectCurrentPrinter(QPrinter& printer)
{
    if (PrinterAvailable()) {
        const QString name = QPrinterInfo::defaultPrinterName();
        if (!name.isEmpty()) {
            printer.setPrinterName(name);
        }
        printer.setOutputFormat(QPrinter::NativeFormat);
    } else {
        printer.setOutputFormat(QPrinter::PdfFormat);
    }
}

bool RunPrintDialog(QPrinter& printer, QWidget* parent)
{
    if (PrintAnswerer()) {
        return PrintAnswerer()(printer, parent);
    }
    if (PrinterAvailable()) {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
    TSaveFileRequest request;
    request.title = "Print to PDF file";
    request.filter = "PDF (*.pdf)";
    request.defaultSuffix = "pdf";
    request.parent = parent;
    const std::string path = AskSaveFileName(request);
    if (path.empty()) {
        return false;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    return true;
}

TPrintAnswerer SetPrintAnswerer(TPrintAnswerer answerer)
{
    TPrintAnswerer previous = std::move(PrintAnswerer());
    PrintAnswerer() = std::move(answerer);
    return previous;
}

bool RunPageSetupDialog(QPageSetupDialog& dialog)
{
    if (PageSetupAnswerer()) {
        return PageSetupAnswerer()(dialog);
    }
    return dialog.exec() == QDialog::Accepted;
}

TPageSetupAnswerer SetPageSetupAnswerer(TPageSetupAnswerer answerer)
{
    TPageSetupAnswerer previous = std::move(PageSetupAnswerer());
    PageSetupAnswerer() = std::move(answerer);
    return previous;
}
