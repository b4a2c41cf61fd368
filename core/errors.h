#pragma once

#include <stdexcept>
#include <string>

namespace netprobe {

// Errors raised inside the module. They are caught at the level that owns the message;
// none leaves a probe thread or an exported function.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that does not convert (an integer, a Boolean, an unreadable XML value).
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An index outside a list's bounds.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// A call of the operating system that failed, with the error code it left (GetLastError).
class EOSError : public Exception {
public:
    EOSError(const std::string& what, unsigned long code) : Exception(what), code_(code) {}
    unsigned long Code() const { return code_; }

private:
    unsigned long code_;
};

}  // namespace netprobe
