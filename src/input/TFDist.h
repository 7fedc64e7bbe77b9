#pragma once

#include "input/MatrixInputForm.h"

namespace vantrel {

// The dissimilarity input window "距離（非類似度）": OK fills DissimMatrix.
class TFDist : public MatrixInputForm {
    Q_OBJECT
public:
    explicit TFDist(QWidget* owner = nullptr);
};

} // namespace vantrel
