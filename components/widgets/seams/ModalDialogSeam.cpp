#include "seams/ModalDialogSeam.h"

#include <QDialog>

namespace {

TModalDialogRunner& Runner()
{
    static TModalDialogRunner runner;
    return runner;
}

} // namespace

int RunModalDialog(QDialog& dialog)
{
    if (Runner()) {
        return Runner()(dialog);
    }
    return dialog.exec();
}

TModalDialogRunner SetModalDialogRunner(TModalDialogRunner runner)
{
    TModalDialogRunner previous = std::move(Runner());
    Runner() = std::move(runner);
    return previous;
}
