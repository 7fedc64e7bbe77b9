#include "platform/gui/JapaneseFonts.h"

namespace vantrel {

QString ProportionalGothicFace() { return QStringLiteral("ＭＳ Ｐゴシック"); }
QString FixedGothicFace() { return QStringLiteral("ＭＳ ゴシック"); }
QString MinchoFace() { return QStringLiteral("ＭＳ 明朝"); }

QString InstalledFaceFor(const QString& windowsFace)
{
    if (windowsFace == ProportionalGothicFace())
        return QStringLiteral("IPAPGothic");
    if (windowsFace == FixedGothicFace())
        return QStringLiteral("IPAGothic");
    if (windowsFace == MinchoFace())
        return QStringLiteral("IPAMincho");
    return windowsFace;
}

QFont FontWithPixelHeight(const QString& windowsFace, int pixelHeight)
{
    QFont font(InstalledFaceFor(windowsFace));
    font.setPixelSize(pixelHeight);
    return font;
}

QFont FontWithPointSize(const QString& windowsFace, int pointSize)
{
    QFont font(InstalledFaceFor(windowsFace));
    font.setPointSize(pointSize);
    return font;
}

} // namespace vantrel
