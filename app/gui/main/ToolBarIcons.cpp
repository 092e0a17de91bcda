#include "main/ToolBarIcons.h"

#include <cstring>

#include <QStyle>

namespace {

struct TToolIcon
{
    const char* Button;
    // A standard icon: its name in the desktop theme and the style's picture for it.
    const char* ThemeName;
    QStyle::StandardPixmap StylePixmap;
    // Otherwise a picture of ours, in the program's resources.
    const char* Drawn;
};

constexpr QStyle::StandardPixmap kNone = QStyle::SP_CustomBase;

constexpr TToolIcon kToolIcons[] = {
    {"sbNew", "document-new", QStyle::SP_FileIcon, nullptr},
    {"sbOpen", "document-open", QStyle::SP_DialogOpenButton, nullptr},
    {"sbSave", "document-save", QStyle::SP_DialogSaveButton, nullptr},
    {"sbTitle", nullptr, kNone, ":/icons/title.svg"},
    {"sbCompMethod", nullptr, kNone, ":/icons/method.svg"},
    {"sbPileMaterial", nullptr, kNone, ":/icons/material.svg"},
    {"sbCircularPile", nullptr, kNone, ":/icons/circular.svg"},
    {"sbNoncircularPile", nullptr, kNone, ":/icons/noncircular.svg"},
    {"sbSoilLayers", nullptr, kNone, ":/icons/soil.svg"},
    {"sbSideView", nullptr, kNone, ":/icons/profile.svg"},
    {"sbRun", "media-playback-start", QStyle::SP_MediaPlay, nullptr},
    {"sbOutput", "document-preview", QStyle::SP_FileDialogContentsView, nullptr},
    {"sbTotal", nullptr, kNone, ":/icons/total.svg"},
    {"sbCombine", nullptr, kNone, ":/icons/combined.svg"},
    {"sbTZcurves", nullptr, kNone, ":/icons/tz.svg"},
    {"sbAxial", nullptr, kNone, ":/icons/settlement.svg"},
};

} // namespace

QIcon ToolButtonIcon(const char* buttonName, const QStyle& style)
{
    for (const TToolIcon& entry : kToolIcons) {
        if (std::strcmp(entry.Button, buttonName) != 0) {
            continue;
        }
        if (entry.Drawn != nullptr) {
            return QIcon(QString::fromLatin1(entry.Drawn));
        }
        return QIcon::fromTheme(QString::fromLatin1(entry.ThemeName),
                                style.standardIcon(entry.StylePixmap));
    }
    return {};
}
