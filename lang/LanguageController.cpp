#include "lang/LanguageController.h"

#include "lang/ByteReader.h"
#include "lang/LangText.h"
#include "lang/Lang_MaskList.h"
#include "lang/LanguageManager.h"
#include "classes/Filer.h"
#include "classes/Published.h"
#include "classes/StringList.h"

const TClassInfo& TLanguageController::StaticClass()
{
    using T = TLanguageController;
    static const TClassInfo info = MakeClass<T, TComponent>("TLanguageController", {
        Published<T>("IgnoreList", &T::GetIgnoreList, &T::SetIgnoreList),
        Published<T>("Options", &T::Options, &T::SetOptions).Default(AllOptions),
        Published<T>("SectionName", &T::SectionName, &T::SetSectionName),
        Published<T>("StoreList", &T::GetStoreList, &T::SetStoreList),
        Published<T>("OnLanguageChanging", &T::OnLanguageChanging, &T::OnLanguageChanging),
        Published<T>("OnLanguageChanged", &T::OnLanguageChanged, &T::OnLanguageChanged),
    });
    return info;
}

TLanguageController::TLanguageController(TComponent* owner)
    : TComponent(owner),
      FIgnoreList(std::make_unique<TStringList>(true, dupIgnore)),
      FStoreList(std::make_unique<TStringList>(true, dupIgnore)),
      FRootEntry(std::make_unique<TLang_CompEntry>())
{
    // A controller read from a form definition binds when the form has loaded.
    const bool loading = owner != nullptr && owner->ComponentState().Contains(csLoading);
    if (!loading)
        FRootEntry->BindTo(owner);
    if (!ComponentState().Contains(csDesigning)) {
        LangManager().RegisterController(*this);
        FRegistered = true;
    }
}

TLanguageController::~TLanguageController()
{
    if (FRegistered && LangManagerExists())
        LangManager().UnregisterController(*this);
}

void TLanguageController::SetIgnoreList(TStringList* value)
{
    if (value != nullptr)
        FIgnoreList->Assign(*value);
}

void TLanguageController::SetStoreList(TStringList* value)
{
    if (value != nullptr)
        FStoreList->Assign(*value);
}

std::u16string TLanguageController::EffectiveSectionName() const
{
    if (!FSectionName.empty())
        return FSectionName;
    return Owner() ? WidenAnsi(Owner()->Name()) : std::u16string();
}

void TLanguageController::Refresh(bool modify)
{
    const TLang_MaskList ignoreMasks(*FIgnoreList);
    const TLang_MaskList storeMasks(*FStoreList);
    TLang_RefreshOptions options;
    options.IgnoreEmptyProps = FOptions.Contains(lcoIgnoreEmptyProps);
    options.IgnoreNonAlphaProps = FOptions.Contains(lcoIgnoreNonAlphaProps);
    options.IgnoreFontProps = FOptions.Contains(lcoIgnoreFontProps);
    options.StoreMasks = &storeMasks;
    options.IgnoreMasks = &ignoreMasks;
    FRootEntry->Refresh(modify, options);
}

void TLanguageController::Loaded()
{
    TComponent::Loaded();
    if (Owner() != nullptr)
        FRootEntry->BindTo(Owner());
    Refresh(false);
    if (!ComponentState().Contains(csDesigning))
        LangManager().CatchUpController(*this);
}

void TLanguageController::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component != this && component != nullptr)
        FRootEntry->DropComponent(component, true);
}

bool TLanguageController::HasLangData() const
{
    const TComponent* bound = FRootEntry->BoundComponent();
    return bound != nullptr && !bound->Name().empty();
}

void TLanguageController::ReadLangData(std::span<const std::uint8_t> bytes)
{
    TByteReader reader(bytes);
    FRootEntry->ReadStream(reader);
}

std::vector<std::uint8_t> TLanguageController::WriteLangData()
{
    Refresh(true);
    std::vector<std::uint8_t> out;
    FRootEntry->WriteStream(out);
    return out;
}

void TLanguageController::DefineProperties(TFiler& filer)
{
    TComponent::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "LangData", [this](std::span<const std::uint8_t> bytes) { ReadLangData(bytes); },
        [this](std::vector<std::uint8_t>& out) { out = WriteLangData(); }, HasLangData());
}

bool TLanguageController::PrepareSource()
{
    if (Owner() == nullptr || Owner()->Name().empty())
        return false;
    Refresh(true);
    return true;
}

void TLanguageController::WriteSource(std::vector<std::u16string>& lines, std::uint8_t /*filter*/)
{
    FRootEntry->ExportSource(lines);
}
