#include "plot/TdlgFormat.h"

#include <cmath>
#include <exception>
#include <new>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "entry/TDataEdit.h"
#include "plot/PlotCanvas.h"
#include "support/ButtonKeys.h"

namespace {

TDataEdit* MakeEdit(QWidget* parent,
                    QGridLayout* grid,
                    int row,
                    const char* name,
                    const char* caption,
                    const char* units)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString(name) + "Label");
    auto* edit = new TDataEdit(parent);
    edit->setObjectName(name);
    edit->SetEditLabel(label);
    edit->SetCaption(caption);
    edit->SetUnitsString(units);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

QRadioButton* MakeRadio(const char* text, const char* name, QGroupBox* group, QVBoxLayout* layout)
{
    auto* radio = new QRadioButton(text, group);
    radio->setObjectName(name);
    layout->addWidget(radio);
    return radio;
}

// The 16 standard colours; the chart's colour table draws with these only.
QList<QRgb> StandardColors()
{
    QList<QRgb> colors;
    for (const TPlotColor& c : kPlotColorTable) {
        const QRgb rgb = qRgb(c.R, c.G, c.B);
        if (!colors.contains(rgb)) {
            colors.append(rgb);
        }
    }
    colors.append(qRgb(255, 255, 255));
    return colors;
}

} // namespace

int BitmapSide(long double inches, long double pixelsPerInch)
{
    const long double side = std::nearbyint(inches * pixelsPerInch);
    if (!std::isfinite(side) || side < 1 || side > kMaxBitmapSide) {
        return -1;
    }
    return static_cast<int>(side);
}

QImage ConvertBitmapColors(const QImage& image, TBitmapColors colors)
{
    switch (colors) {
    case TBitmapColors::BlackAndWhite:
        return image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    case TBitmapColors::Colors16:
        return image.convertToFormat(QImage::Format_Indexed8,
                                     StandardColors(),
                                     Qt::ThresholdDither);
    case TBitmapColors::Colors256:
        return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    case TBitmapColors::HighColor:
        return image.convertToFormat(QImage::Format_RGB16);
    case TBitmapColors::TrueColor:
        break;
    }
    return image.convertToFormat(QImage::Format_RGB888);
}

TdlgFormat::TdlgFormat(QImage& bitmap, QWidget* parent)
    : QDialog(parent)
    , m_bitmap(bitmap)
{
    setObjectName("dlgFormat");
    PressFocusedButtonOnReturn(*this);
    setWindowTitle("Save Attributes");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                   | Qt::WindowTitleHint);
    auto* grid = new QGridLayout;
    deHeight = MakeEdit(this, grid, 0, "deHeight", "&Height", "in");
    deHeight->SetMinVal(2.0L);
    deHeight->SetNumber(4.0L);
    deWidth = MakeEdit(this, grid, 1, "deWidth", "&Width", "in");
    deWidth->SetMinVal(2.0L);
    deWidth->SetNumber(6.0L);
    dePPI = MakeEdit(this, grid, 2, "dePPI", "&Pixels Per Inch", "");
    dePPI->SetIntegerOnly(true);
    dePPI->SetMaxVal(2147483647.0L);
    dePPI->SetMinVal(10.0L);
    dePPI->SetNumber(72.0L);

    auto* group = new QGroupBox("Colors", this);
    group->setObjectName("rgColors");
    auto* groupLayout = new QVBoxLayout(group);
    rbBlackWhite = MakeRadio("Black and White", "rbBlackWhite", group, groupLayout);
    rb16Colors = MakeRadio("16 Colors", "rb16Colors", group, groupLayout);
    rb256Colors = MakeRadio("256 Colors", "rb256Colors", group, groupLayout);
    rbHighColor = MakeRadio("High Color (16 bit)", "rbHighColor", group, groupLayout);
    rbTrueColor = MakeRadio("True Color (24 bit)", "rbTrueColor", group, groupLayout);
    rb16Colors->setChecked(true);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("btnOK");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("btnCancel");
    connect(ok, &QPushButton::clicked, this, &TdlgFormat::btnOKClick);
    connect(cancel, &QPushButton::clicked, this, [this] { done(kFormatCancel); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(group);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TBitmapColors TdlgFormat::Colors() const
{
    if (rbBlackWhite->isChecked()) {
        return TBitmapColors::BlackAndWhite;
    }
    if (rb256Colors->isChecked()) {
        return TBitmapColors::Colors256;
    }
    if (rbHighColor->isChecked()) {
        return TBitmapColors::HighColor;
    }
    if (rbTrueColor->isChecked()) {
        return TBitmapColors::TrueColor;
    }
    return TBitmapColors::Colors16;
}

void TdlgFormat::btnOKClick()
{
    for (TDataEdit* edit : {deHeight, deWidth, dePPI}) {
        if (!DataEditIsValid(edit)) {
            return;
        }
    }
    const long double ppi = dePPI->Number();
    const int height = BitmapSide(deHeight->Number(), ppi);
    const int width = BitmapSide(deWidth->Number(), ppi);
    if (height < 0 || width < 0) {
        done(kFormatOutOfMemory);
        return;
    }
    try {
        QImage image(width, height, QImage::Format_RGB32);
        if (image.isNull()) {
            done(kFormatOutOfMemory);
            return;
        }
        m_bitmap = std::move(image);
    } catch (const std::bad_alloc&) {
        done(kFormatOutOfMemory);
        return;
    }
    m_ppi = static_cast<int>(ppi);
    done(kFormatOk);
}
