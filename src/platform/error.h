#pragma once

#include <stdexcept>
#include <string>

namespace pw {

// An error that abandons the command or event being handled. The shell catches it at the event
// boundary, shows what() and carries on.
class Error : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Text that should have been a number (or another typed value) but is not.
class ConversionError : public Error
{
public:
    using Error::Error;
};

// An index or value outside the range the data allows.
class RangeError : public Error
{
public:
    using Error::Error;
};

// A failed XML operation: an invalid path, a file that could not be written, ...
class XmlError : public Error
{
public:
    using Error::Error;
};

// A file that could not be written: its name as given and the reason in the system's words, kept
// apart so that the interface can say it in its own language.
class FileWriteError : public XmlError
{
public:
    FileWriteError(const std::string &path, const std::string &reason)
        : XmlError("Cannot write the file " + path + ": " + reason)
        , m_path(path)
        , m_reason(reason)
    {
    }
    const std::string &path() const { return m_path; }
    const std::string &reason() const { return m_reason; }

private:
    std::string m_path;
    std::string m_reason;
};

} // namespace pw
