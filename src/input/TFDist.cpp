#include "input/TFDist.h"

namespace vantrel {

TFDist::TFDist(QWidget* owner)
    : MatrixInputForm(MatrixKind::Dissimilarity, QStringLiteral("距離（非類似度）"), owner)
{
    setObjectName(QStringLiteral("FDist"));
}

} // namespace vantrel
