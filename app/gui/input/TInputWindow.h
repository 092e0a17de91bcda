#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>

#include "input/InputBindings.h"
#include "input/InputWindowKinds.h"
#include "seams/TEditHost.h"

class QAbstractButton;
class QLineEdit;
class QPlainTextEdit;
class TDataEdit;
class TProgramData;
class TWindowHost;

// What SetUpForm does after laying out a Designer form, for any window built from one (a
// modal dialog too): the numeric edits take the settings the form holds as dynamic
// properties, every control gets an accessible name, and the window is as large as its
// content.
void FinishFormOf(QWidget& window);

// The base of the input windows: the project's data bound to controls.
//
// A window lays out its controls in a Designer form (SetUpForm) and declares once which
// control shows which field of the project's data (BindNumber, BindCheck, BindRadio,
// BindText). When the window is activated the base loads every binding and then runs the
// window's LoadControls (its enabling rules); when it is left or closed the base reads every
// binding, stores them all, runs the window's StoreControls (its special cases) and marks the
// project modified when the data differ from what they were before. A focused numeric edit
// holding a refused entry keeps the window active and open, and then nothing is stored; an
// entry that cannot be read leaves the data as they were.
class TInputWindow : public QWidget, public TEditHost
{
    Q_OBJECT

public:
    TInputWindow(TWindowHost& host, EInputWindow which);
    ~TInputWindow() override;

    // Puts the window into the host's MDI area and shows it; the sub-window frees both on
    // close. Returns the window (the launcher's Create).
    template<typename Window>
    static QWidget* Open(TWindowHost& host)
    {
        auto* window = new Window(host);
        window->AddToMdi();
        return window;
    }

    EInputWindow Which() const { return m_which; }
    QMdiSubWindow* SubWindow() const { return m_sub; }
    // The window's host: the main window in the program, a stand-in in window tests.
    TWindowHost& Host() const { return m_host; }

    // The open input window of that kind, null when none is open.
    static TInputWindow* FindOpenWindow(TWindowHost& host, EInputWindow which);

    // Closes the window through its sub-window, so the close rule applies (the Close buttons).
    void CloseWindow();
    // Closes the window because the project goes or is replaced, or the window no longer
    // fits it: the edits are stored as on any close, but nothing holds the window open.
    void CloseWithProject();

    // TEditHost: the deactivation's work.
    bool StorePendingEdits() override;

public slots:
    // Loads the controls; the project's modified flag is kept as it was before.
    void FormActivate();
    // Stores the controls unless the focused numeric edit refuses its entry; then the window
    // is activated again.
    void FormDeactivate();

protected:
    // Lays the Designer form out on the window, then gives its numeric edits the settings
    // the form holds as dynamic properties (Caption, UnitsString, EditLabel, MinVal, MaxVal,
    // IntegerOnly, Number), names every control for accessibility and fixes the window's
    // size to its content.
    template<typename Form>
    void SetUpForm(Form& ui)
    {
        ui.setupUi(this);
        FinishForm();
    }

    // Bindings, declared once in the window's constructor; loaded and stored in this order.
    TNumberBinding& BindNumber(TDataEdit* edit, TFieldOf<long double> field);
    // An integer field: `stored` turns the entry into the field's value.
    TNumberBinding&
    BindNumber(TDataEdit* edit, TFieldOf<int> field, std::function<int(long double)> stored);
    void BindCheck(QAbstractButton* box,
                   TFieldOf<int> field,
                   int checkedCode = 1,
                   int uncheckedCode = 0);
    TRadioBinding& BindRadio(TFieldOf<int> field,
                             TRadioBinding::TButtons buttons,
                             QAbstractButton* fallback = nullptr);
    void BindText(QLineEdit* edit, TFieldOf<std::string> field);
    void BindText(QPlainTextEdit* memo, TFieldOf<std::string> field);

    // The window's own loading, after the bindings: enabling, shown values.
    virtual void LoadControls() {}
    // The window's own storing, after the bindings: what is not one field for one control.
    // True when it changed the project's tables. Reads its controls before it stores.
    virtual bool StoreControls() { return false; }
    // A window's own reason to stay open when the user closes it (message shown).
    virtual bool CloseAllowed() { return true; }
    // False when the focused control holds an entry that is refused (message shown).
    virtual bool FocusedControlIsValid();

    TProgramData& Data() const;
    // Moves the window to this top within the host's client area.
    void MoveToTop(int top);
    bool Loading() const { return m_loading; }

    void closeEvent(QCloseEvent* event) override;

private slots:
    void SubWindowActivated(QMdiSubWindow* sub);

private:
    void AddToMdi();
    void KeepInsideFrame();
    void FinishForm();
    void ActivateAgain();
    // The deactivation's work; false when nothing was stored.
    bool TryStore();

    TWindowHost& m_host;
    EInputWindow m_which;
    QPointer<QMdiSubWindow> m_sub;
    TBindingSet m_bindings;
    bool m_active = false;
    bool m_loading = false;
    bool m_storing = false;
    bool m_closed = false;
    bool m_withProject = false;
};
