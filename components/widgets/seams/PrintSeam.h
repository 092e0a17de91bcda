#pragma once

#include <functional>

class QPageSetupDialog;
class QPrinter;
class QWidget;

// The print and page-setup dialogs of the widgets go through here, so tests (and a headless
// run) can answer them. Without a printer on the system a print job goes to a PDF file whose
// name is asked through the file-dialog seam.

// True when the system has at least one printer.
bool PrinterAvailable();
// Replaces the printer lookup (tests); an empty function restores the real one. Returns the
// previous one.
std::function<bool()> SetPrinterAvailability(std::function<bool()> available);

// Points a fresh printer at the system's default printer, or at PDF output when there is none.
void SelectCurrentPrinter(QPrinter& printer);

// Runs the print dialog for the printer; true when the user confirmed. Without a printer it
// asks for the PDF file instead.
using TPrintAnswerer = std::function<bool(QPrinter& printer, QWidget* parent)>;
bool RunPrintDialog(QPrinter& printer, QWidget* parent);
TPrintAnswerer SetPrintAnswerer(TPrintAnswerer answerer);

// Runs a page-setup dialog modally; true when the user confirmed.
using TPageSetupAnswerer = std::function<bool(QPageSetupDialog& dialog)>;
bool RunPageSetupDialog(QPageSetupDialog& dialog);
TPageSetupAnswerer SetPageSetupAnswerer(TPageSetupAnswerer answerer);
