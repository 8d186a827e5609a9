#pragma once

#include <stdexcept>
#include <string>

namespace qv {

// Base of every error the program raises. The message is the fixed text a user
// sees in the default error box, so subclasses never decorate it.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string message() const { return what(); }
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// I/O failures carry the runtime's short texts ("File not found", ...).
class EInOutError : public Exception {
public:
    EInOutError(const std::string& message, int code) : Exception(message), m_code(code) {}
    int errorCode() const { return m_code; }

private:
    int m_code;
};

class EMathError : public Exception {
public:
    using Exception::Exception;
};

class EInvalidOp : public EMathError {
public:
    EInvalidOp() : EMathError("Invalid floating point operation") {}
};

class EZeroDivide : public EMathError {
public:
    EZeroDivide() : EMathError("Floating point division by zero") {}
};

class EOverflow : public EMathError {
public:
    EOverflow() : EMathError("Floating point overflow") {}
};

class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// Raised for an index or count that would reach outside a container.
class EListError : public Exception {
public:
    using Exception::Exception;
};

} // namespace qv
