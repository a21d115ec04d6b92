#include "lang/ResourceModule.h"

namespace {

class TProgramModule final : public TResourceModule {
public:
    std::optional<TResourceBytes> FindRawData(std::string_view name) const override
    {
        return FindResource("RCDATA", name);
    }
};

} // namespace

const TResourceModule& ProgramModule()
{
    static const TProgramModule module;
    return module;
}
