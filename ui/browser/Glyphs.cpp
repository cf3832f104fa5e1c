#include "Glyphs.h"

#include <QBitmap>
#include <QImage>

#ifdef KELMORA_HAVE_RESOURCES
#include "KelmoraResources.h"
#endif

namespace kelmora::ui {

QPixmap LoadGlyph(const QString& name)
{
#ifdef KELMORA_HAVE_RESOURCES
    // Resources linked from a static library are registered only when asked for.
    static const bool registered = [] {
        kelmora::InitResources();
        return true;
    }();
    (void)registered;
#endif
    QPixmap glyph(QStringLiteral(":/glyphs/%1.bmp").arg(name));
    if (glyph.isNull())
        return glyph;
    const QImage image = glyph.toImage();
    const QColor transparent = image.pixelColor(0, image.height() - 1);
    glyph.setMask(glyph.createMaskFromColor(transparent, Qt::MaskInColor));
    return glyph;
}

} // namespace kelmora::ui
