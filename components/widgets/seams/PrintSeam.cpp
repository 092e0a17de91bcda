#include "seams/PrintSeam.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QString>

#include "seams/FileDialogSeam.h"

bool PrinterAvailable()
{
    if (const auto& available = TPrinterAvailabilitySeam::Answer()) {
        return available();
    }
    return !QPrinterInfo::availablePrinterNames().isEmpty();
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
    if (const auto& answer = TPrintSeam::Answer()) {
        return answer(printer, parent);
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

bool RunPageSetupDialog(QPageSetupDialog& dialog)
{
    if (const auto& answer = TPageSetupSeam::Answer()) {
        return answer(dialog);
    }
    return dialog.exec() == QDialog::Accepted;
}
