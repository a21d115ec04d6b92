#include "ScopedEnvironment.h"

#include <cstdlib>

TScopedEnvironment::TScopedEnvironment(std::string name, std::optional<std::string> value)
    : FName(std::move(name))
{
    if (const char* old = std::getenv(FName.c_str()))
        FSaved = old;
    if (value)
        ::setenv(FName.c_str(), value->c_str(), 1);
    else
        ::unsetenv(FName.c_str());
}

TScopedEnvironment::~TScopedEnvironment()
{
    if (FSaved)
        ::setenv(FName.c_str(), FSaved->c_str(), 1);
    else
        ::unsetenv(FName.c_str());
}
