#pragma once

#include "lang/ITranslationSource.h"
#include "lang/Lang_CompEntry.h"
#include "classes/Component.h"
#include "classes/EnumInfo.h"
#include "classes/Set.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>
#include <memory>
#include <string>

class TStringList;

enum TLanguageControllerOption { lcoAutoSaveLangSource, lcoIgnoreEmptyProps, lcoIgnoreNonAlphaProps, lcoIgnoreFontProps };
VELTRANE_ENUM_INFO(TLanguageControllerOption, "lcoAutoSaveLangSource", "lcoIgnoreEmptyProps",
                   "lcoIgnoreNonAlphaProps", "lcoIgnoreFontProps")
using TLanguageControllerOptions = TSet<TLanguageControllerOption>;

using TLangNotifyEvent = std::function<void(TObject* sender)>;

// A non-visual component of a form that keeps the form's translatable properties, each
// with an ID, in a tree of entries stored with the form as LangData. It registers with the
// language manager, captures the value of every listed property when the form has loaded
// and sets them to a translation (or back to those values) whenever a language is applied.
class TLanguageController : public TComponent, public ITranslationSource {
public:
    VELTRANE_CLASS_INFO

    explicit TLanguageController(TComponent* owner);
    ~TLanguageController() override;

    static constexpr TLanguageControllerOptions AllOptions{lcoAutoSaveLangSource, lcoIgnoreEmptyProps,
                                                           lcoIgnoreNonAlphaProps, lcoIgnoreFontProps};

    // Masks of full property paths never captured / captured even when not stored.
    TStringList* GetIgnoreList() const { return FIgnoreList.get(); }
    void SetIgnoreList(TStringList* value);
    TStringList* GetStoreList() const { return FStoreList.get(); }
    void SetStoreList(TStringList* value);
    TLanguageControllerOptions Options() const { return FOptions; }
    void SetOptions(TLanguageControllerOptions value) { FOptions = value; }
    const std::u16string& SectionName() const { return FSectionName; }
    void SetSectionName(std::u16string value) { FSectionName = std::move(value); }
    // SectionName, or the owner's name when it is empty.
    std::u16string EffectiveSectionName() const;

    TLang_CompEntry& RootEntry() { return *FRootEntry; }
    const TLang_CompEntry& RootEntry() const { return *FRootEntry; }
    // Captures the present values: with `modify` the entry tree follows the form (new entries,
    // new IDs, entries no longer met deleted); without, existing entries only take the values.
    void Refresh(bool modify);

    // The LangData stream: whether there is something to store, and its bytes.
    bool HasLangData() const;
    void ReadLangData(std::span<const std::uint8_t> bytes);
    std::vector<std::uint8_t> WriteLangData();

    bool PrepareSource() override;
    void WriteSource(std::vector<std::u16string>& lines, std::uint8_t filter) override;
    std::u16string SourceSection() const override { return EffectiveSectionName(); }

    void DefineProperties(TFiler& filer) override;

    TLangNotifyEvent OnLanguageChanging;
    TLangNotifyEvent OnLanguageChanged;

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::unique_ptr<TStringList> FIgnoreList;
    std::unique_ptr<TStringList> FStoreList;
    TLanguageControllerOptions FOptions = AllOptions;
    std::u16string FSectionName;
    std::unique_ptr<TLang_CompEntry> FRootEntry;
    bool FRegistered = false;
};
