#pragma once

#include <QFont>
#include <QString>

namespace vantrel {

// The Windows faces the windows and pages are designed with, mapped to the
// installed Japanese faces (IPA fonts): "ＭＳ Ｐゴシック" (proportional gothic,
// windows), "ＭＳ ゴシック" (fixed gothic, grids) and "ＭＳ 明朝" (fixed
// Mincho, listings). Unknown names are passed through.
QString InstalledFaceFor(const QString& windowsFace);

// A font of the mapped face with the given pixel height (the character cell,
// internal leading included) or point size.
QFont FontWithPixelHeight(const QString& windowsFace, int pixelHeight);
QFont FontWithPointSize(const QString& windowsFace, int pointSize);

// The face names as the windows and pages name them.
QString ProportionalGothicFace(); // "ＭＳ Ｐゴシック"
QString FixedGothicFace(); // "ＭＳ ゴシック"
QString MinchoFace(); // "ＭＳ 明朝"

} // namespace vantrel
