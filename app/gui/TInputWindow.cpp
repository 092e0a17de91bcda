#include "TInputWindow.h"

#include <exception>

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "MessageSeam.h"
#include "TDataCombo.h"
#include "TDataEdit.h"
#include "TMainForm.h"

TInputWindow::TInputWindow(TMainForm& form, EInputWindow which)
    : QWidget(nullptr)
    , m_form(form)
    , m_which(which)
{
    const TInputWindowLauncher& launcher = InputWindowLaunchers()[static_cast<int>(which)];
    setObjectName(launcher.WindowClass);
    setWindowTitle(launcher.Caption);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

TInputWindow::~TInputWindow() = default;

void TInputWindow::AddToMdi()
{
    QMdiArea* mdi = m_form.MdiArea();
    m_sub = mdi->addSubWindow(this);
    m_sub->setAttribute(Qt::WA_DeleteOnClose);
    m_sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    m_sub->setWindowTitle(windowTitle());
    connect(mdi, &QMdiArea::subWindowActivated, this, &TInputWindow::SubWindowActivated);
    m_sub->show();
    mdi->setActiveSubWindow(m_sub);
    if (!m_active) {
        // A hidden main window activates no sub-window; the window still shows the project.
        FormActivate();
    }
}

void TInputWindow::SetFixedClientSize(int width, int height)
{
    setFixedSize(width, height);
}

QWidget* TInputWindow::FindOpenWindow(TMainForm& form, EInputWindow which)
{
    if (form.MdiArea() == nullptr) {
        return nullptr;
    }
    const char* windowClass = InputWindowLaunchers()[static_cast<int>(which)].WindowClass;
    for (QMdiSubWindow* sub : form.MdiArea()->subWindowList()) {
        QWidget* widget = sub->widget();
        if (widget != nullptr && widget->objectName() == windowClass) {
            return widget;
        }
    }
    return nullptr;
}

void TInputWindow::CloseWindow()
{
    if (m_sub != nullptr) {
        m_sub->close();
    } else {
        close();
    }
}

void TInputWindow::MarkModified()
{
    if (!m_loading) {
        m_form.SetModified(true);
    }
}

bool TInputWindow::FocusedControlIsValid()
{
    QWidget* focused = focusWidget();
    if (auto* edit = qobject_cast<TDataEdit*>(focused)) {
        return DataEditIsValid(edit);
    }
    if (auto* combo = qobject_cast<TDataCombo*>(focused)) {
        return DataComboIsValid(combo);
    }
    return true;
}

void TInputWindow::FormActivate()
{
    // Loading fires the controls' handlers, which mark the project modified; what the user
    // changed before (in any window) must still be offered for saving, so the flag is put
    // back as it was.
    const bool wasModified = m_form.IsModified();
    m_loading = true;
    try {
        LoadControls();
    } catch (const std::exception& e) {
        ShowInformation(e.what(), this);
    }
    m_loading = false;
    m_form.SetModified(wasModified);
}

void TInputWindow::FormDeactivate()
{
    TryStore();
}

bool TInputWindow::TryStore()
{
    if (m_storing || m_closed) {
        return false;
    }
    m_storing = true;
    bool stored = false;
    try {
        if (!FocusedControlIsValid()) {
            m_storing = false;
            ActivateAgain();
            return false;
        }
        if (StoreControls()) {
            m_form.SetModified(true);
        }
        stored = true;
    } catch (const std::exception& e) {
        // Windows read every control before they store one, so nothing is half stored.
        ShowInformation(e.what(), this);
    }
    m_storing = false;
    return stored;
}

void TInputWindow::ActivateAgain()
{
    // The controls keep what the user entered: the window counts as active already, so the
    // activation does not load them again.
    m_active = true;
    if (m_sub != nullptr && m_form.MdiArea() != nullptr) {
        m_sub->show();
        m_form.MdiArea()->setActiveSubWindow(m_sub);
    }
}

void TInputWindow::SubWindowActivated(QMdiSubWindow* sub)
{
    if (m_closed) {
        return;
    }
    if (sub != nullptr && sub == m_sub) {
        if (!m_active) {
            m_active = true;
            FormActivate();
        }
        return;
    }
    // No active sub-window at all means the main window lost the focus for a while (a
    // message box, another program); the window's entries stay where they are.
    if (sub != nullptr && m_active) {
        m_active = false;
        FormDeactivate();
    }
}

void TInputWindow::closeEvent(QCloseEvent* event)
{
    if (m_closed) {
        event->accept();
        return;
    }
    // What cannot be stored keeps the window open, so the entries are not lost.
    if (!TryStore()) {
        event->ignore();
        return;
    }
    m_closed = true;
    event->accept();
}
