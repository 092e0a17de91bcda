#include "plot/TfrmGraphCaption.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "support/ButtonKeys.h"

TfrmGraphCaption::TfrmGraphCaption(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("frmGraphCaption");
    PressFocusedButtonOnReturn(*this);
    setWindowTitle("Graph Caption");
    auto* label = new QLabel("Enter Graph Caption", this);
    label->setObjectName("Label1");
    edtCaption = new QLineEdit(this);
    edtCaption->setObjectName("edtCaption");
    label->setBuddy(edtCaption);
    auto* group = new QGroupBox("Caption Location", this);
    group->setObjectName("GroupBox1");
    rbTop = new QRadioButton("Top", group);
    rbTop->setObjectName("rbTop");
    rbBottom = new QRadioButton("Bottom", group);
    rbBottom->setObjectName("rbBottom");
    auto* groupLayout = new QHBoxLayout(group);
    groupLayout->addWidget(rbTop);
    groupLayout->addWidget(rbBottom);
    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("btnOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edtCaption);
    layout->addWidget(group);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    layout->addLayout(buttons);
}
