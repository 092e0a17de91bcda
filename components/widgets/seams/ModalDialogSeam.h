#pragma once

#include "support/TSeam.h"

class QDialog;

// The component library's own dialogs are shown modally through here, so tests (and a
// headless run) can fill them in and close them. Without an answer of the seam the dialog's
// own exec() runs.

// Runs the dialog and answers its result code.
using TModalDialogSeam = TSeam<struct TModalDialogSeamTag, int(QDialog& dialog)>;

// Shows the dialog modally and returns its result code.
int RunModalDialog(QDialog& dialog);
