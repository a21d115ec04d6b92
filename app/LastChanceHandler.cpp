#include "app/LastChanceHandler.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include <cxxabi.h>

#include "platform/Exception.h"
#include "platform/Kernel.h"
#include "ui/MessageBox.h"

namespace {

std::string Demangle(const char* mangled)
{
    if (mangled == nullptr)
        return "Exception";
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> readable(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return status == 0 && readable ? std::string(readable.get()) : std::string(mangled);
}

// The address as the pointer format prints it: upper-case hex, as wide as a pointer.
std::string FormatAddress(const void* address)
{
    char text[32];
    std::snprintf(text, sizeof text, "%0*" PRIXPTR, static_cast<int>(sizeof(void*) * 2),
                  reinterpret_cast<std::uintptr_t>(address));
    return text;
}

void WriteToStandardError(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

} // namespace

int TLastChanceHandler::Run(const std::function<int()>& body)
{
    try {
        return body();
    } catch (...) {
        Report(std::current_exception());
        return ExitCode;
    }
}

void TLastChanceHandler::WriteReport(std::exception_ptr error)
{
    WriteToStandardError(Describe(error));
}

void TLastChanceHandler::Report(std::exception_ptr error)
{
    const std::string text = Describe(error);
    WriteToStandardError(text);
    // The same text in a task-modal box when a display can be reached; a failing box changes nothing.
    try {
        ShowMessageBoxWindow(text, Title, MB_OK | MB_ICONERROR | MB_TASKMODAL);
    } catch (...) {
    }
}

std::string TLastChanceHandler::FormatText(std::string_view className, std::string_view moduleName,
                                           const void* address, std::string_view message)
{
    std::string text = "Exception ";
    text += className;
    text += " in module ";
    text += moduleName;
    text += " at ";
    text += FormatAddress(address);
    text += ".\r\n";
    text += message;
    text += FullStop(message);
    text += "\r\n";
    return text;
}

std::string TLastChanceHandler::FullStop(std::string_view message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        return ".";
    return "";
}

std::string TLastChanceHandler::ModuleName()
{
    std::string path = GetExecutablePath();
    std::string::size_type slash = path.find_last_of(PathSeparators);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.empty() ? std::string("veltrane") : name;
}

std::string TLastChanceHandler::Describe(std::exception_ptr error)
{
    std::string module = ModuleName();
    try {
        if (error)
            std::rethrow_exception(error);
        return FormatText("Exception", module, nullptr, "");
    } catch (const Exception& exception) {
        return FormatText(exception.ClassName(), module, &exception, exception.Message());
    } catch (const std::exception& exception) {
        return FormatText(Demangle(typeid(exception).name()), module, &exception, exception.what());
    } catch (...) {
        std::type_info* type = abi::__cxa_current_exception_type();
        return FormatText(Demangle(type != nullptr ? type->name() : nullptr), module, nullptr, "");
    }
}
