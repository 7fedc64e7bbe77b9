#pragma once

#include "input/MatrixInputForm.h"

namespace vantrel {

// The similarity input window "類似度": OK fills SimMatrix.
class TFSim : public MatrixInputForm {
    Q_OBJECT
public:
    explicit TFSim(QWidget* owner = nullptr);
};

} // namespace vantrel
