#include "support/CaptionText.h"

QString CaptionAsRead(const QString& caption)
{
    QString read = caption;
    read.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    read.remove(QLatin1Char('&'));
    read.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return read.simplified();
}
