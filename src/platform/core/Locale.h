#pragma once

namespace vantrel {

// The decimal separator of number texts, read and written. The Japanese
// locale uses a period; every parser and formatter takes it from here.
inline constexpr char DecimalSeparator = '.';

} // namespace vantrel
