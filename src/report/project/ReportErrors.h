#pragma once

#include "report/snapshot/Translation.h"
#include "runtime/core/Exception.h"

#include <functional>
#include <string>

namespace qv::report {

// Messages that do not stop the engine (such as an unknown class in a project file)
// go to the sink of whoever runs it (the window layer shows a message box); without
// one they go to standard error.
using MessageSink = std::function<void(const std::string&)>;
void showMessage(const MessageSink& sink, const std::string& text);

// The error every report engine failure raises. The value takes the place of the
// pattern's first "%s".
class ERpException : public ETranslatable {
public:
    explicit ERpException(const std::string& message);
    ERpException(const std::string& pattern, const std::string& value);
    explicit ERpException(ReportText text);
};

// A class name in a project file that has no registered class.
class EClassNotFound : public ERpException {
public:
    using ERpException::ERpException;
};

// A read past the end of a project stream or block.
class EReadError : public ERpException {
public:
    using ERpException::ERpException;
};

} // namespace qv::report
