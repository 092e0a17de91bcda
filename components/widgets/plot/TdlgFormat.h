#pragma once

#include <QDialog>
#include <QImage>

class QRadioButton;
class TDataEdit;

// Colour depth of a saved bitmap.
enum class TBitmapColors
{
    BlackAndWhite,
    Colors16,
    Colors256,
    HighColor,
    TrueColor,
};

// Result codes of the dialog.
inline constexpr int kFormatOk = 1;
inline constexpr int kFormatCancel = 2;
inline constexpr int kFormatOutOfMemory = 3;

// "Save Attributes": size in inches, pixels per inch and colours of a bitmap to save. On OK
// it makes the bitmap it was handed at the chosen size; when that cannot be done the result
// is kFormatOutOfMemory.
class TdlgFormat : public QDialog
{
    Q_OBJECT

public:
    TdlgFormat(QImage& bitmap, QWidget* parent = nullptr);

    TDataEdit* deHeight = nullptr;
    TDataEdit* deWidth = nullptr;
    TDataEdit* dePPI = nullptr;
    QRadioButton* rbBlackWhite = nullptr;
    QRadioButton* rb16Colors = nullptr;
    QRadioButton* rb256Colors = nullptr;
    QRadioButton* rbHighColor = nullptr;
    QRadioButton* rbTrueColor = nullptr;

    TBitmapColors Colors() const;
    // Pixels per inch as entered (the file records it).
    int PixelsPerInch() const { return m_ppi; }

    // The OK button: refused entries keep the dialog open; otherwise the bitmap becomes
    // nearest(ppi x width) by nearest(ppi x height) pixels and the dialog closes with
    // kFormatOk, or with kFormatOutOfMemory when that size cannot be had.
    void btnOKClick();

private:
    QImage& m_bitmap;
    int m_ppi = 72;
};

// Largest side of a saved bitmap in pixels; anything larger counts as not enough memory.
inline constexpr long double kMaxBitmapSide = 30000.0L;

// The bitmap side for a size in inches, or -1 when it is not a usable size.
int BitmapSide(long double inches, long double pixelsPerInch);

// The image converted to the chosen colours (black and white, the 16 standard colours, 256
// colours, 16-bit or 24-bit colour).
QImage ConvertBitmapColors(const QImage& image, TBitmapColors colors);
