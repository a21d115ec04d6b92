#include "lang/LanguageManager.h"

#include "lang/ByteReader.h"
#include "lang/LangText.h"
#include "lang/Lang_CompEntry.h"
#include "lang/Lang_CompTranslations.h"
#include "lang/LanguageController.h"
#include "lang/ResourceModule.h"
#include "lang/TranslationText.h"
#include "platform/Exception.h"
#include "platform/ScopeGuard.h"

#include <algorithm>

TLanguageManager::TLanguageManager(const TResourceModule& programModule)
    : FBaseConstants([this] { return ActiveLanguageId(); })
{
    RecomputeCodePage();
    FBaseConstants.LoadFromModule(programModule, "LANG_CONSTS");
    BroadcastTranslation(nullptr);
}

void TLanguageManager::RecomputeCodePage()
{
    FAnsiCodePage = static_cast<std::int32_t>(AnsiCodePageOf(FActiveLangId));
}

void TLanguageManager::RegisterResourceTranslation(const TResourceModule& module, std::u16string resName,
                                                   std::uint16_t langId)
{
    TLangWriteLock lock(FGuard);
    if (langId == FBaseLangId)
        return;
    FSources.Put(module, std::move(resName), langId);
}

std::uint16_t TLanguageManager::LanguageIdAt(int index) const
{
    TLangReadLock lock(FGuard);
    if (index == 0)
        return FBaseLangId;
    return FSources.Items(index - 1).LangId;
}

int TLanguageManager::LanguageCount() const
{
    TLangReadLock lock(FGuard);
    return FSources.Count() + 1;
}

std::uint16_t TLanguageManager::ActiveLanguageId() const
{
    TLangReadLock lock(FGuard);
    return FActiveLangId;
}

std::uint16_t TLanguageManager::BaseLanguageId() const
{
    TLangReadLock lock(FGuard);
    return FBaseLangId;
}

std::int32_t TLanguageManager::AnsiCodePage() const
{
    TLangReadLock lock(FGuard);
    return FAnsiCodePage;
}

std::u16string TLanguageManager::ConstantText(std::string_view name) const
{
    TLangReadLock lock(FGuard);
    return FBaseConstants.FindConstant(name).Text;
}

void TLanguageManager::RegisterController(TLanguageController& controller)
{
    TLangWriteLock lock(FGuard);
    FControllers.push_back(&controller);
}

void TLanguageManager::UnregisterController(TLanguageController& controller)
{
    TLangWriteLock lock(FGuard);
    const auto found = std::find(FControllers.begin(), FControllers.end(), &controller);
    if (found != FControllers.end())
        FControllers.erase(found);
}

int TLanguageManager::ControllerCount() const
{
    TLangReadLock lock(FGuard);
    return static_cast<int>(FControllers.size());
}

std::unique_ptr<TLang_CompTranslations> TLanguageManager::OpenTranslation(std::uint16_t langId) const
{
    if (langId == BaseLanguageId())
        return nullptr;
    TLang_LangResource source;
    {
        TLangReadLock lock(FGuard);
        const TLang_LangResource* found = FSources.FindLangId(langId);
        if (found == nullptr)
            return nullptr;
        source = *found;
    }
    const std::string name = NarrowAnsi(source.ResName);
    const auto bytes = source.Module->FindRawData(name);
    if (!bytes)
        throw EResNotFound("Resource " + name + " not found");
    auto translation = std::make_unique<TLang_CompTranslations>();
    TByteReader reader(*bytes);
    translation->ReadText(reader, false);
    return translation;
}

void TLanguageManager::SelectLanguageIndex(int index)
{
    SelectLanguageId(LanguageIdAt(index));
}

void TLanguageManager::SelectLanguageId(std::uint16_t langId)
{
    TLangWriteLock lock(FGuard);
    const std::unique_ptr<TLang_CompTranslations> translation = OpenTranslation(langId);
    if (!translation)
        langId = FBaseLangId;
    const bool changed = langId != FActiveLangId;
    if (changed) {
        FActiveLangId = langId;
        RecomputeCodePage();
    }
    lock.Release();
    if (changed)
        BroadcastTranslation(translation.get());
}

void TLanguageManager::BroadcastTranslation(const TLang_CompTranslations* translation)
{
    TLangReadLock lock(FGuard);
    FBaseConstants.TakeTextsFrom(translation ? &translation->ConstantSection() : nullptr);
    // A handler may unregister a controller (a form closing): walk a copy, skipping the gone.
    const std::vector<TLanguageController*> controllers = FControllers;
    for (TLanguageController* controller : controllers)
        if (std::find(FControllers.begin(), FControllers.end(), controller) != FControllers.end())
            ApplyToController(translation, *controller);
}

void TLanguageManager::ApplyToController(const TLang_CompTranslations* translation, TLanguageController& controller)
{
    if (controller.OnLanguageChanging)
        controller.OnLanguageChanging(&controller);
    // The controller hears that the change is over also when it failed half-way.
    const TScopeGuard changed([&controller] {
        if (controller.OnLanguageChanged)
            controller.OnLanguageChanged(&controller);
    });
    const TLang_CompTranslation* section = nullptr;
    if (translation)
        section = translation->FindSection(NarrowAnsi(controller.EffectiveSectionName()));
    controller.RootEntry().Translate(section, static_cast<std::uint32_t>(AnsiCodePage()));
}

void TLanguageManager::CatchUpController(TLanguageController& controller)
{
    TLangReadLock lock(FGuard);
    if (FActiveLangId == FBaseLangId)
        return;
    const std::unique_ptr<TLang_CompTranslations> translation = OpenTranslation(FActiveLangId);
    if (translation)
        ApplyToController(translation.get(), controller);
}

namespace {

// Set once the manager has been destroyed with the program's static objects, so that a
// controller destroyed later does not reach a dead manager (a plain flag stays valid).
bool ManagerGone = false;

struct TManagerHolder {
    std::unique_ptr<TLanguageManager> Manager;
    ~TManagerHolder()
    {
        Manager.reset();
        ManagerGone = true;
    }
};

TManagerHolder& Holder()
{
    static TManagerHolder holder;
    return holder;
}

} // namespace

TLanguageManager& LangManager()
{
    TManagerHolder& holder = Holder();
    if (!holder.Manager)
        holder.Manager = std::make_unique<TLanguageManager>(ProgramModule());
    return *holder.Manager;
}

bool LangManagerExists()
{
    return !ManagerGone && Holder().Manager != nullptr;
}

std::u16string LangConstText(std::string_view name)
{
    return LangManager().ConstantText(name);
}
