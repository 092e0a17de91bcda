#include "input/TInputWindow.h"

#include <algorithm>
#include <exception>

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTimer>

#include "TProgramData.h"
#include "entry/TDataCombo.h"
#include "entry/TDataEdit.h"
#include "entry/TExpression.h"
#include "host/TWindowHost.h"
#include "input/AccessibleNames.h"
#include "seams/MessageSeam.h"
#include "support/ButtonKeys.h"

namespace {

std::string StringProperty(const QWidget* widget, const char* name)
{
    return widget->property(name).toString().toStdString();
}

// A numeric edit's settings, written in the form as dynamic properties. Limits and values
// are texts, read as the edit reads its entries, so 0.001 is exactly the 0.001 typed.
void ApplyEditProperties(TDataEdit* edit, QWidget* root)
{
    if (edit->property("IntegerOnly").isValid()) {
        edit->SetIntegerOnly(edit->property("IntegerOnly").toBool());
    }
    if (edit->property("Caption").isValid()) {
        edit->SetCaption(StringProperty(edit, "Caption"));
    }
    if (edit->property("FieldName").isValid()) {
        edit->SetFieldName(StringProperty(edit, "FieldName"));
    }
    if (edit->property("UnitsString").isValid()) {
        edit->SetUnitsString(StringProperty(edit, "UnitsString"));
    }
    if (edit->property("MaxVal").isValid()) {
        edit->SetMaxVal(EvaluateExpression(StringProperty(edit, "MaxVal")));
    }
    if (edit->property("MinVal").isValid()) {
        edit->SetMinVal(EvaluateExpression(StringProperty(edit, "MinVal")));
    }
    if (edit->property("Number").isValid()) {
        edit->SetNumber(EvaluateExpression(StringProperty(edit, "Number")));
    }
    if (edit->property("EditLabel").isValid()) {
        edit->SetEditLabel(root->findChild<QLabel*>(edit->property("EditLabel").toString()));
    }
}

} // namespace

TInputWindow::TInputWindow(TWindowHost& host, EInputWindow which)
    : QWidget(nullptr)
    , m_host(host)
    , m_which(which)
{
    const TInputWindowKind& kind = KindOf(which);
    setObjectName(kind.WindowClass);
    setWindowTitle(kind.Caption);
    setAccessibleName(kind.Caption);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    PressFocusedButtonOnReturn(*this);
}

TInputWindow::~TInputWindow() = default;

void TInputWindow::AddToMdi()
{
    QMdiArea* mdi = m_host.MdiArea();
    m_sub = mdi->addSubWindow(this);
    m_sub->setAttribute(Qt::WA_DeleteOnClose);
    m_sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    m_sub->setWindowTitle(windowTitle());
    m_sub->setObjectName(objectName() + QStringLiteral("Frame"));
    // The window is as large as its content: maximised it would show a grey band around it.
    connect(m_sub,
            &QMdiSubWindow::windowStateChanged,
            this,
            [this](Qt::WindowStates, Qt::WindowStates now) {
                if ((now & Qt::WindowMaximized) && m_sub != nullptr) {
                    QTimer::singleShot(0, m_sub, [sub = m_sub] {
                        if (sub != nullptr && sub->isMaximized()) {
                            sub->showNormal();
                        }
                    });
                }
            });
    connect(mdi, &QMdiArea::subWindowActivated, this, &TInputWindow::SubWindowActivated);
    m_sub->show();
    KeepInsideFrame();
    mdi->setActiveSubWindow(m_sub);
    if (!m_active) {
        // A hidden main window activates no sub-window; the window still shows the project.
        FormActivate();
    }
}

void FinishFormOf(QWidget& window)
{
    for (TDataEdit* edit : window.findChildren<TDataEdit*>()) {
        ApplyEditProperties(edit, &window);
    }
    NameForAccessibility(window);
    PressFocusedButtonOnReturn(window);
    // The window is as large as its content needs, and grows and shrinks with it.
    if (window.layout() != nullptr) {
        window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
}

void TInputWindow::KeepInsideFrame()
{
    // The frame places a new window where it overlaps least, which may leave its bottom or
    // right side out of sight; it is moved in as far as the frame is large enough.
    const QSize area = m_host.MdiArea()->viewport()->size();
    if (m_sub == nullptr || area.isEmpty()) {
        return;
    }
    const int x = std::max(0, std::min(m_sub->x(), area.width() - m_sub->width()));
    const int y = std::max(0, std::min(m_sub->y(), area.height() - m_sub->height()));
    m_sub->move(x, y);
}

void TInputWindow::FinishForm()
{
    FinishFormOf(*this);
}

// ---- bindings ---------------------------------------------------------------------------------

TNumberBinding& TInputWindow::BindNumber(TDataEdit* edit, TFieldOf<long double> field)
{
    return m_bindings.Add<TNumberBinding>(
        edit,
        [field](TProgramData& project) { return field(project); },
        [field](TProgramData& project, long double entry) { field(project) = entry; });
}

TNumberBinding& TInputWindow::BindNumber(TDataEdit* edit,
                                         TFieldOf<int> field,
                                         std::function<int(long double)> stored)
{
    return m_bindings.Add<TNumberBinding>(
        edit,
        [field](TProgramData& project) { return static_cast<long double>(field(project)); },
        [field, stored](TProgramData& project, long double entry) {
            field(project) = stored(entry);
        });
}

void TInputWindow::BindCheck(QAbstractButton* box,
                             TFieldOf<int> field,
                             int checkedCode,
                             int uncheckedCode)
{
    m_bindings.Add<TCheckBinding>(box, std::move(field), checkedCode, uncheckedCode);
}

TRadioBinding& TInputWindow::BindRadio(TFieldOf<int> field,
                                       TRadioBinding::TButtons buttons,
                                       QAbstractButton* fallback)
{
    return m_bindings.Add<TRadioBinding>(std::move(field), std::move(buttons), fallback);
}

void TInputWindow::BindText(QLineEdit* edit, TFieldOf<std::string> field)
{
    m_bindings.Add<TTextBinding>(edit, std::move(field));
}

void TInputWindow::BindText(QPlainTextEdit* memo, TFieldOf<std::string> field)
{
    m_bindings.Add<TTextBinding>(memo, std::move(field));
}

// ---- helpers ----------------------------------------------------------------------------------

TProgramData& TInputWindow::Data() const
{
    return m_host.Data();
}

void TInputWindow::MoveToTop(int top)
{
    if (m_sub != nullptr) {
        m_sub->move(m_sub->x(), top);
    }
}

TInputWindow* TInputWindow::FindOpenWindow(TWindowHost& host, EInputWindow which)
{
    if (host.MdiArea() == nullptr) {
        return nullptr;
    }
    const char* windowClass = KindOf(which).WindowClass;
    for (QMdiSubWindow* sub : host.MdiArea()->subWindowList()) {
        auto* window = qobject_cast<TInputWindow*>(sub->widget());
        if (window != nullptr && !window->m_closed && window->objectName() == windowClass) {
            return window;
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

void TInputWindow::CloseWithProject()
{
    m_withProject = true;
    CloseWindow();
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

// ---- load and store ---------------------------------------------------------------------------

void TInputWindow::FormActivate()
{
    // What the user changed before (in any window) must still be offered for saving, and
    // loading is no change: the flag is put back as it was.
    const bool wasModified = m_host.IsModified();
    m_loading = true;
    RunCommand(this, [this] {
        m_bindings.Load(Data());
        LoadControls();
    });
    m_loading = false;
    m_host.SetModified(wasModified);
}

void TInputWindow::FormDeactivate()
{
    TryStore();
}

bool TInputWindow::StorePendingEdits()
{
    return m_closed || TryStore();
}

bool TInputWindow::TryStore()
{
    if (m_storing || m_closed) {
        return false;
    }
    m_storing = true;
    if (!FocusedControlIsValid()) {
        m_storing = false;
        ActivateAgain();
        return false;
    }
    TProgramData& project = Data();
    const TProgramData before = project;
    bool tablesChanged = false;
    const bool stored = RunCommand(this, [&] {
        try {
            const bool cellsChanged = m_bindings.Store(project);
            tablesChanged = StoreControls() || cellsChanged;
        } catch (const std::exception&) {
            // All or nothing: the project go back to what they were before the message shows.
            project = before;
            throw;
        }
    });
    if (stored && (tablesChanged || !(project == before))) {
        m_host.SetModified(true);
    }
    m_storing = false;
    return stored;
}

void TInputWindow::ActivateAgain()
{
    // The controls keep what the user entered: the window counts as active already, so the
    // activation does not load them again.
    m_active = true;
    if (m_sub != nullptr && m_host.MdiArea() != nullptr) {
        m_sub->show();
        m_host.MdiArea()->setActiveSubWindow(m_sub);
    }
}

void TInputWindow::SubWindowActivated(QMdiSubWindow* sub)
{
    if (m_closed) {
        return;
    }
    if (sub != nullptr && sub == m_sub) {
        if (!m_active) {
            // The window left stores first, so that this one shows what it stored.
            for (QMdiSubWindow* other : m_host.MdiArea()->subWindowList()) {
                auto* window = qobject_cast<TInputWindow*>(other->widget());
                if (window != nullptr && window != this && window->m_active) {
                    window->m_active = false;
                    window->FormDeactivate();
                }
            }
            // It may have refused to be left, and is active again.
            if (m_host.MdiArea()->activeSubWindow() != m_sub) {
                return;
            }
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
    // What cannot be stored keeps the window open, so the entries are not lost; unless the
    // project itself goes.
    const bool stored = TryStore();
    if (!m_withProject && (!stored || !CloseAllowed())) {
        event->ignore();
        return;
    }
    m_closed = true;
    event->accept();
}
