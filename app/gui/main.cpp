// WINQUARN2015: the windowed program.
#include <clocale>
#include <string>
#include <vector>

#include <QApplication>
#include <QStringList>

#include "StaleFiles.h"
#include "TMainForm.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Quarn 2015");
    QApplication::setApplicationDisplayName("Quarn 2015");
    // Every number in a file is written and read with "."; Qt may have taken the user's.
    std::setlocale(LC_NUMERIC, "C");

    TMainForm mainForm;
    mainForm.show();
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    mainForm.FormShow(arguments);
    // What killed runs and saves left: run folders, and beside the open and the recent
    // projects their temporary files and stale locks.
    std::vector<std::string> projects(mainForm.RecentFiles().begin(), mainForm.RecentFiles().end());
    projects.push_back(mainForm.Data().FileName);
    RemoveStaleFiles(projects);
    return QApplication::exec();
}
