#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

// "Graph Caption": the graph title and whether it goes above or below the chart.
class TfrmGraphCaption : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmGraphCaption(QWidget* parent = nullptr);

    QLineEdit* edtCaption = nullptr;
    QRadioButton* rbTop = nullptr;
    QRadioButton* rbBottom = nullptr;
};
