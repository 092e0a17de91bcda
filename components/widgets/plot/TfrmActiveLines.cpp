#include "plot/TfrmActiveLines.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "support/ButtonKeys.h"

namespace {

constexpr int kMinClientWidth = 190;
constexpr int kMinClientHeight = 234;

QPushButton* MakeButton(const char* text, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TfrmActiveLines::TfrmActiveLines(const std::vector<std::string>& lineNames,
                                 std::vector<std::string>& lineFlags,
                                 QWidget* parent)
    : QDialog(parent)
    , m_lineNames(lineNames)
    , m_lineFlags(lineFlags)
{
    setObjectName("frmActiveLines");
    PressFocusedButtonOnReturn(*this);
    setWindowTitle("Active Curves");
    setMinimumSize(kMinClientWidth, kMinClientHeight);
    auto* label1 = new QLabel("Select Curve to Active/Desactive", this);
    label1->setObjectName("Label1");
    auto* label2 = new QLabel("Active :", this);
    label2->setObjectName("Label2");
    auto* label3 = new QLabel("Curve", this);
    label3->setObjectName("Label3");
    lbLines = new QListWidget(this);
    lbLines->setObjectName("lbLines");
    lbLines->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* toggle = MakeButton("Activate/Deactivate Selected", "btnToggle", this);
    auto* all = MakeButton("Activate All", "btnActivateAll", this);
    auto* none = MakeButton("Deactivate All", "btnDeactivateAll", this);
    auto* ok = MakeButton("&OK", "btnOK", this);
    auto* cancel = MakeButton("&Cancel", "btnCancel", this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1);
    auto* heads = new QHBoxLayout;
    heads->addWidget(label2);
    heads->addWidget(label3);
    heads->addStretch();
    layout->addLayout(heads);
    layout->addWidget(lbLines, 1);
    layout->addWidget(toggle);
    auto* setAll = new QHBoxLayout;
    setAll->addWidget(all);
    setAll->addStretch();
    setAll->addWidget(none);
    layout->addLayout(setAll);
    auto* closing = new QHBoxLayout;
    closing->addWidget(ok);
    closing->addStretch();
    closing->addWidget(cancel);
    layout->addLayout(closing);

    for (std::size_t i = 0; i < m_lineNames.size(); ++i) {
        lbLines->addItem(QString());
        WriteRow(static_cast<int>(i));
    }
    if (lbLines->count() > 0) {
        lbLines->setCurrentRow(0);
    }

    connect(lbLines, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        ToggleRow(lbLines->row(item));
    });
    connect(toggle, &QPushButton::clicked, this, &TfrmActiveLines::ToggleSelected);
    connect(all, &QPushButton::clicked, this, [this] { SetAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { SetAll(false); });
    connect(ok, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(2); });
}

void TfrmActiveLines::WriteRow(int row)
{
    const auto r = static_cast<std::size_t>(row);
    if (row < 0 || r >= m_lineNames.size() || r >= m_lineFlags.size() || row >= lbLines->count()) {
        return;
    }
    lbLines->item(row)->setText(QString::fromStdString(m_lineFlags[r] + "   " + m_lineNames[r]));
}

void TfrmActiveLines::ToggleRow(int row)
{
    const auto r = static_cast<std::size_t>(row);
    if (row < 0 || r >= m_lineFlags.size()) {
        return;
    }
    m_lineFlags[r] = m_lineFlags[r] == kActiveFlag ? kInactiveFlag : kActiveFlag;
    WriteRow(row);
}

void TfrmActiveLines::ToggleSelected()
{
    for (int i = 0; i < lbLines->count(); ++i) {
        if (lbLines->item(i)->isSelected()) {
            ToggleRow(i);
        }
    }
}

void TfrmActiveLines::SetAll(bool active)
{
    for (std::size_t i = 0; i < m_lineFlags.size(); ++i) {
        m_lineFlags[i] = active ? kActiveFlag : kInactiveFlag;
        WriteRow(static_cast<int>(i));
    }
}
