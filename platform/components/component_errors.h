#pragma once

// Exceptions of the component framework. Each carries a fixed English
// message; the application's exception display shows it unchanged.

#include <stdexcept>
#include <string>

namespace pellamo {

// Naming, ownership and class-registry failures.
class EComponentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EClassNotFound : public EComponentError {
public:
    using EComponentError::EComponentError;
};

// Reading or writing a published property by name: a missing name, a value
// of the wrong kind, a value out of range.
class EPropertyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Assign between classes that do not know each other.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EStringListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// A window description that cannot be read: the line (1-based) where the
// fault was found and the reason, also joined into what().
class EDescriptionError : public std::runtime_error {
public:
    EDescriptionError(int line, const std::string& reason)
        : std::runtime_error("Line " + std::to_string(line) + ": " + reason)
        , line_(line)
        , reason_(reason)
    {
    }
    int Line() const { return line_; }
    const std::string& Reason() const { return reason_; }

private:
    int line_;
    std::string reason_;
};

}
