#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QRadioButton>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "TestFolder.h"
#include "host/DesktopSeams.h"
#include "main/TMainForm.h"
#include "seams/FileDialogSeam.h"
#include "seams/MessageSeam.h"

// A shown, active main window over a temporary settings folder, for the input-window tests.
// Every message is recorded and answered with OK; file dialogs and the desktop are answered
// here. The helpers act as the user does: click, type, tab.
class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureApplication();
        QSettings::setPath(QSettings::IniFormat,
                           QSettings::UserScope,
                           QString::fromStdString((m_folder / "settings").string()));
        m_form = std::make_unique<TMainForm>();
        m_form->FormShow({});
        m_form->resize(1400, 980);
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    }

    void TearDown() override { m_form.reset(); }

    const TTestFolder& Folder() const { return m_folder; }
    TMainForm& Form() { return *m_form; }
    TProgramData& Data() { return m_form->Data(); }

    // Chooses the menu item (or tool button) as the user does.
    void Choose(const char* actionName)
    {
        QAction* action = m_form->findChild<QAction*>(actionName);
        ASSERT_NE(action, nullptr) << actionName;
        ASSERT_TRUE(action->isEnabled()) << actionName;
        action->trigger();
        QCoreApplication::processEvents();
    }

    // Opens a menu of the main window and leaves it again, as the user's first step to one of
    // its items.
    static void LookInto(QMenu* menu)
    {
        ASSERT_NE(menu, nullptr);
        menu->popup({0, 0});
        QCoreApplication::processEvents();
        menu->hide();
    }

    template<typename Window>
    Window* Open(const char* actionName)
    {
        Choose(actionName);
        return m_form->findChild<Window*>();
    }

    // Runs the deferred deletions a close leaves.
    static void Settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    template<typename T>
    static T* Child(const QWidget* root, const char* name)
    {
        T* child = root->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    // A click on a button, check box or radio button where its mark is.
    static void Click(QAbstractButton* button)
    {
        ASSERT_NE(button, nullptr);
        const bool marked = qobject_cast<QCheckBox*>(button) != nullptr
                            || qobject_cast<QRadioButton*>(button) != nullptr;
        const QPoint at = marked ? QPoint(std::min(8, button->width() / 2), button->height() / 2)
                                 : button->rect().center();
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, at);
    }

    // Clicks into the edit, clears it, types the text, and stays in it.
    static void Type(QLineEdit* edit, const QString& text)
    {
        ASSERT_NE(edit, nullptr);
        QTest::mouseClick(edit, Qt::LeftButton);
        // Cleared first: an operator typed over a selected number is appended to it.
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    // Leaves the focused control with Tab.
    static void Tab()
    {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        QTest::keyClick(focused, Qt::Key_Tab);
    }

    // Types into the edit and tabs out of it.
    static void Enter(QLineEdit* edit, const QString& text)
    {
        Type(edit, text);
        Tab();
    }

    // Activates another child of the frame with a click on it, as the user leaves a window.
    void ClickInto(QWidget* window)
    {
        ASSERT_NE(window, nullptr);
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        QCoreApplication::processEvents();
    }

    std::vector<std::string> Messages;
    std::vector<EMessageType> MessageTypes;
    std::vector<TOpenFileRequest> OpenRequests;
    TOpenFileAnswer OpenAnswer;
    std::string SaveAnswer;
    std::vector<std::string> Opened;

private:
    TTestFolder m_folder{"gui-window"};
    // The answers hold for the whole test and end with it.
    TMessageSeam::Override m_messages{[this](const TMessageRequest& r) {
        Messages.push_back(r.text);
        MessageTypes.push_back(r.type);
        return EMessageResult::Ok;
    }};
    TOpenFileSeam::Override m_openFiles{[this](const TOpenFileRequest& r) {
        OpenRequests.push_back(r);
        return OpenAnswer;
    }};
    TSaveFileSeam::Override m_saveFiles{[this](const TSaveFileRequest&) {
        return SaveAnswer;
    }};
    TShellOpenSeam::Override m_shell{[this](const std::string& what) {
        Opened.push_back(what);
        return true;
    }};
    std::unique_ptr<TMainForm> m_form;
};
