#include "main/ProgramIdentity.h"

#include <QApplication>

void SetProgramIdentity()
{
    QApplication::setApplicationName("Quarn 2015");
}
