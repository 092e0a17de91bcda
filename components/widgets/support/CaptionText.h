#pragma once

#include <QString>

// A caption as it reads on screen, for a screen reader's name: every accelerator mark gone,
// "&&" read as one "&", single blanks. Qt's own names drop only the first mark.
QString CaptionAsRead(const QString& caption);
