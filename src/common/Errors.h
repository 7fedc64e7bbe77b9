#pragma once

#include <stdexcept>
#include <string>

namespace vantrel {

// Every failure the user may see is an Error whose what() is the text to
// show, exactly as it stands, in code page 932 like every other text of the
// program (see platform/core/Cp932.h). Handlers never catch these; the application
// shows them once, at the event-loop boundary.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that cannot be created, opened, read, written or closed. The text
// names the file and the platform's reason.
class IoError : public Error {
public:
    using Error::Error;
};

} // namespace vantrel
