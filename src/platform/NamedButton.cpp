#include "platform/NamedButton.h"

namespace vantrel {

QPushButton* AddNamedButton(QWidget* window, const char* name, const char* caption, const QRect& geometry)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), window);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    return button;
}

} // namespace vantrel
