#include "ScopedEnvironment.h"

#include <cstdlib>

void SetEnvironment(const std::string& name, const std::optional<std::string>& value)
{
#ifdef _WIN32
    // An empty value removes the variable; the C library passes it on to the system's
    // environment too, where the program's own lookups read it.
    ::_putenv_s(name.c_str(), value ? value->c_str() : "");
#else
    if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
    else
        ::unsetenv(name.c_str());
#endif
}

TScopedEnvironment::TScopedEnvironment(std::string name, std::optional<std::string> value)
    : FName(std::move(name))
{
    if (const char* old = std::getenv(FName.c_str()))
        FSaved = old;
    SetEnvironment(FName, value);
}

TScopedEnvironment::~TScopedEnvironment()
{
    SetEnvironment(FName, FSaved);
}
