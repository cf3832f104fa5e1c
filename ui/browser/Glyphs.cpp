#include "ui/browser/Glyphs.h"

#include <QBitmap>
#include <QImage>

namespace kelmora::ui {

QPixmap LoadGlyph(const QString& name)
{
    QPixmap glyph(QStringLiteral(":/glyphs/%1.bmp").arg(name));
    if (glyph.isNull())
        return glyph;
    const QImage image = glyph.toImage();
    const QColor transparent = image.pixelColor(0, image.height() - 1);
    glyph.setMask(glyph.createMaskFromColor(transparent, Qt::MaskInColor));
    return glyph;
}

} // namespace kelmora::ui
