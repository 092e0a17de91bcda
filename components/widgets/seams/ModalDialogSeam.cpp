#include "seams/ModalDialogSeam.h"

#include <QDialog>

int RunModalDialog(QDialog& dialog)
{
    if (const auto& run = TModalDialogSeam::Answer()) {
        return run(dialog);
    }
    return dialog.exec();
}
