#pragma once

// The one crossing from the logic's text (code page 932 bytes) to Qt's:
// every widget, box and drawing converts through here.

#include "platform/core/Cp932.h"

#include <QString>

#include <string_view>

namespace vantrel {

inline QString QStringFromCp932(std::string_view cp932)
{
    return QString::fromStdString(Utf8FromCp932(cp932));
}

} // namespace vantrel
