#pragma once

#include "support/TSeam.h"

class QPageSetupDialog;
class QPrinter;
class QWidget;

// The print and page-setup dialogs of the widgets go through here, so tests (and a headless
// run) can answer them. Without a printer on the system a print job goes to a PDF file whose
// name is asked through the file-dialog seam.

// True when the system has at least one printer.
bool PrinterAvailable();
// Answers the printer lookup.
using TPrinterAvailabilitySeam = TSeam<struct TPrinterAvailabilitySeamTag, bool()>;

// Points a fresh printer at the system's default printer, or at PDF output when there is none.
void SelectCurrentPrinter(QPrinter& printer);

// Runs the print dialog for the printer; true when the user confirmed. Without a printer it
// asks for the PDF file instead.
bool RunPrintDialog(QPrinter& printer, QWidget* parent);
using TPrintSeam = TSeam<struct TPrintSeamTag, bool(QPrinter& printer, QWidget* parent)>;

// Runs a page-setup dialog modally; true when the user confirmed.
bool RunPageSetupDialog(QPageSetupDialog& dialog);
using TPageSetupSeam = TSeam<struct TPageSetupSeamTag, bool(QPageSetupDialog& dialog)>;
