// WINQUARN2015: the windowed program.
#include <clocale>

#include <QApplication>
#include <QStringList>

#include "StaleFiles.h"
#include "main/ProgramIdentity.h"
#include "main/TMainForm.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    SetProgramIdentity();
    // Every number in a file is written and read with "."; Qt may have taken the user's.
    std::setlocale(LC_NUMERIC, "C");

    TMainForm mainForm;
    mainForm.show();
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    mainForm.FormShow(arguments);
    // What killed runs left in the temporary folder; a project's own leftovers go when it
    // is opened.
    RemoveStaleFiles({});
    return QApplication::exec();
}
