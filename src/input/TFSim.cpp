#include "input/TFSim.h"

namespace vantrel {

TFSim::TFSim(QWidget* owner) : MatrixInputForm(MatrixKind::Similarity, QStringLiteral("類似度"), owner)
{
    setObjectName(QStringLiteral("FSim"));
}

} // namespace vantrel
