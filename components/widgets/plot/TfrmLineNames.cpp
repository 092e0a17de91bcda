#include "plot/TfrmLineNames.h"

#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

#include "entry/TDataEdit.h"
#include "plot/PlotCanvas.h"
#include "seams/MessageSeam.h"
#include "support/ButtonKeys.h"

namespace {

constexpr int kMinClientWidth = 195;
constexpr int kMinClientHeight = 167;

} // namespace

TfrmLineNames::TfrmLineNames(std::vector<std::string>& lineNames, QWidget* parent)
    : QDialog(parent)
    , m_lineNames(lineNames)
{
    setObjectName("frmLineNames");
    PressFocusedButtonOnReturn(*this);
    setWindowTitle("Legend");
    setMinimumSize(kMinClientWidth, kMinClientHeight);
    auto* label1 = new QLabel("Select line to modify:", this);
    label1->setObjectName("Label1");
    lbLines = new QListWidget(this);
    lbLines->setObjectName("lbLines");
    auto* label2 = new QLabel("Type new legend below:", this);
    label2->setObjectName("Label2");
    edLine = new QLineEdit(this);
    edLine->setObjectName("edLine");
    edLine->installEventFilter(this);
    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("btnOK");
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("btnCancel");
    // Enter belongs to the edit, which takes the text; it does not close the dialog.
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1);
    layout->addWidget(lbLines, 1);
    layout->addWidget(label2);
    layout->addWidget(edLine);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch();
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(lbLines, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            SelectRow(row);
        }
    });
    connect(lbLines, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        SelectRow(lbLines->row(item));
    });
    connect(edLine, &QLineEdit::returnPressed, this, &TfrmLineNames::CommitEdit);
    connect(ok, &QPushButton::clicked, this, [this] {
        // What is typed counts, as when the edit is left for the button.
        CommitEdit();
        done(QDialog::Accepted);
    });
    connect(cancel, &QPushButton::clicked, this, [this] { done(2); });
    FormShow();
}

void TfrmLineNames::FormShow()
{
    m_shown = true;
    lbLines->clear();
    for (const std::string& name : m_lineNames) {
        lbLines->addItem(QString::fromStdString(name));
    }
    m_row = -1;
    const bool any = !m_lineNames.empty();
    edLine->setEnabled(any);
    edLine->clear();
    if (any) {
        lbLines->setCurrentRow(0);
        SelectRow(0);
    }
}

void TfrmLineNames::SelectRow(int row)
{
    if (row < 0 || row >= lbLines->count()) {
        return;
    }
    m_row = row;
    edLine->setText(lbLines->item(row)->text());
    const TPlotColor c = PlotCurveColor(row);
    QPalette palette = edLine->palette();
    palette.setColor(QPalette::Text, QColor(c.R, c.G, c.B));
    edLine->setPalette(palette);
}

void TfrmLineNames::CommitEdit()
{
    if (m_row < 0 || m_row >= lbLines->count()) {
        return;
    }
    if (edLine->text().isEmpty()) {
        ShowInformation("The line must have a name!", this);
        edLine->setText(lbLines->item(m_row)->text());
        return;
    }
    lbLines->item(m_row)->setText(edLine->text());
}

void TfrmLineNames::done(int result)
{
    if (m_shown) {
        for (int i = 0; i < lbLines->count() && i < static_cast<int>(m_lineNames.size()); ++i) {
            m_lineNames[static_cast<std::size_t>(i)] = lbLines->item(i)->text().toStdString();
        }
    }
    QDialog::done(result);
}

bool TfrmLineNames::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edLine && event->type() == QEvent::FocusOut
        && DataBoxExitsOn(static_cast<QFocusEvent*>(event)->reason())) {
        CommitEdit();
    }
    return QDialog::eventFilter(watched, event);
}
