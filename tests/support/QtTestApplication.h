#pragma once

#include <QApplication>
#include <QCoreApplication>

// The one application object of a widget test program, made on first use, offscreen unless
// the environment names another platform. It lives as long as the test program.
inline void EnsureApplication()
{
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "quarn_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}
