#include "ui/fonts.h"

#include <QString>

namespace reelvane::ui {

namespace {

QFont PixelFont(const QString& family, int pixels, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

}  // namespace

QFont WindowFont() { return PixelFont(QStringLiteral("Arial Black"), 19, true); }

QFont ArialFont(int pixels, bool bold) { return PixelFont(QStringLiteral("Arial"), pixels, bold); }

QFont SongFont() { return PixelFont(QString::fromUtf8("宋体"), 12, false); }

QFont HintFont() { return PixelFont(QStringLiteral("Tahoma"), 11, false); }

}  // namespace reelvane::ui
