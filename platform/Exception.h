#pragma once

#include <stdexcept>
#include <string>

// Base of every exception the system raises. Each class carries the system's own
// message text and answers its class name for the last-chance handler's report.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
    virtual const char* ClassName() const { return "Exception"; }
};

// Declares an exception class derived from Base that reports Name as its class name.
#define VELTRANE_EXCEPTION(Name, Base)                                   \
    class Name : public Base {                                           \
    public:                                                              \
        using Base::Base;                                                \
        const char* ClassName() const override { return #Name; }         \
    }

VELTRANE_EXCEPTION(EOSError, Exception);           // an operating-system call failed
VELTRANE_EXCEPTION(EStreamError, Exception);       // reading or writing a stream failed
VELTRANE_EXCEPTION(EReadError, EStreamError);      // a stream ended early or held bad data
VELTRANE_EXCEPTION(EFCreateError, EStreamError);   // "Cannot create file "%s". %s"
VELTRANE_EXCEPTION(EFOpenError, EStreamError);     // a file could not be opened
VELTRANE_EXCEPTION(EResNotFound, Exception);       // "Resource %s not found"
VELTRANE_EXCEPTION(ERegistryException, Exception); // "Invalid data type for '%s'", store errors
VELTRANE_EXCEPTION(EListError, Exception);         // "List index out of bounds (%d)"
VELTRANE_EXCEPTION(EConvertError, Exception);      // text that is not a number
VELTRANE_EXCEPTION(EInvalidGraphic, Exception);    // an image that cannot be decoded
VELTRANE_EXCEPTION(EOutOfResources, Exception);    // the display or a device ran out of something
