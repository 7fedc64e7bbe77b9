#include "input/core/AttributeData.h"

namespace vantrel {

AttributeData& Attributes()
{
    static AttributeData data;
    return data;
}

} // namespace vantrel
