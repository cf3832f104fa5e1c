#include "ui/widgets/FormLayout.h"

namespace kelmora::ui {

QFont FormFont(int pixelSize)
{
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace kelmora::ui
