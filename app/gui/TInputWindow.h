#pragma once

#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>

#include "InputWindows.h"
class TMainForm;

// The base of the input windows. The project lives in the main window's data and tables; a
// window only copies it into its controls when it is activated (LoadControls) and back when it
// is deactivated or closed (StoreControls). A focused numeric edit holding a refused entry
// keeps the window active and open, and then nothing is stored.
//
// The main window invokes FormActivate and FormDeactivate by name before it saves, runs or
// closes, so they stay invokable.
class TInputWindow : public QWidget
{
    Q_OBJECT

public:
    TInputWindow(TMainForm& form, EInputWindow which);
    ~TInputWindow() override;

    // Puts the window into the main window's MDI area and shows it; the sub-window frees both
    // on close. Returns the window (the launcher's Create).
    template<typename Window>
    static QWidget* Open(TMainForm& form)
    {
        auto* window = new Window(form);
        window->AddToMdi();
        return window;
    }

    EInputWindow Which() const { return m_which; }
    QMdiSubWindow* SubWindow() const { return m_sub; }
    TMainForm& MainForm() const { return m_form; }

    // The open input window of that kind, null when none is open.
    static QWidget* FindOpenWindow(TMainForm& form, EInputWindow which);

    // Closes the window through its sub-window, so the close rule applies (the Close buttons).
    void CloseWindow();

public slots:
    // Loads the controls; the project's modified flag is kept as it was before.
    void FormActivate();
    // Stores the controls unless the focused numeric edit refuses its entry; then the window
    // is activated again. Marks the project modified when a stored value changed.
    void FormDeactivate();

protected:
    // Copies the project into the controls.
    virtual void LoadControls() = 0;
    // Copies the controls into the project; true when any value of the project changed. Reads
    // every control before it stores anything, so a control that raises leaves the project as
    // it was.
    virtual bool StoreControls() = 0;
    // False when the focused control holds an entry that is refused (message shown).
    virtual bool FocusedControlIsValid();
    // A fixed-size sub-window with a system menu and a minimise button only.
    void SetFixedClientSize(int width, int height);
    // Marks the project modified unless the controls are being loaded.
    void MarkModified();
    bool Loading() const { return m_loading; }

    void closeEvent(QCloseEvent* event) override;

private slots:
    void SubWindowActivated(QMdiSubWindow* sub);

private:
    void AddToMdi();
    void ActivateAgain();
    // The deactivation's work; false when nothing was stored.
    bool TryStore();

    TMainForm& m_form;
    EInputWindow m_which;
    QPointer<QMdiSubWindow> m_sub;
    bool m_active = false;
    bool m_loading = false;
    bool m_storing = false;
    bool m_closed = false;
};
