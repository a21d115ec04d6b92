#pragma once

#include "lang/LangGuard.h"
#include "lang/Lang_Constants.h"
#include "lang/Lang_LangResources.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TLang_CompTranslations;
class TLanguageController;
class TResourceModule;

// The process-wide language state: the default language (1033), the registered translation
// sources, the current language and its ANSI code page, the named message constants and
// every live language controller. Selecting a language reads its translation text, applies
// it to the constants and to every controller and releases it again.
class TLanguageManager {
public:
    // The constants come from the "LANG_CONSTS" resource of `programModule`, when it has one.
    explicit TLanguageManager(const TResourceModule& programModule);
    TLanguageManager(const TLanguageManager&) = delete;
    TLanguageManager& operator=(const TLanguageManager&) = delete;

    // Registers (or, for a language already registered, replaces) the translation text of a
    // language: the raw-data resource `resName` of `module`. The default language is ignored.
    void RegisterResourceTranslation(const TResourceModule& module, std::u16string resName, std::uint16_t langId);
    // Selects the language at that index of the language list (0 is the default language).
    void SelectLanguageIndex(int index);
    // Selects a language; one that is not registered selects the default language. When reading
    // its text fails nothing changes.
    void SelectLanguageId(std::uint16_t langId);

    // The language list: index 0 the default language, then the registered ones in order.
    std::uint16_t LanguageIdAt(int index) const;
    int LanguageCount() const;
    std::uint16_t ActiveLanguageId() const;
    std::uint16_t BaseLanguageId() const;
    std::int32_t AnsiCodePage() const;
    // The current text of a named constant (letter case ignored); ELangError when there is none.
    std::u16string ConstantText(std::string_view name) const;

    // Called by the controllers.
    void RegisterController(TLanguageController& controller);
    void UnregisterController(TLanguageController& controller);
    // Applies the current language to a controller whose form has just loaded.
    void CatchUpController(TLanguageController& controller);
    int ControllerCount() const;

    // The translation text of a language, read into a new object; none for the default
    // language or one that is not registered. EResNotFound when the resource is missing.
    std::unique_ptr<TLang_CompTranslations> OpenTranslation(std::uint16_t langId) const;
    // Applies a translation (none: the default language) to the constants and every controller.
    void BroadcastTranslation(const TLang_CompTranslations* translation);
    void ApplyToController(const TLang_CompTranslations* translation, TLanguageController& controller);
    void RecomputeCodePage();

private:
    mutable TLangGuard FGuard;
    TLang_Constants FBaseConstants;
    std::vector<TLanguageController*> FControllers;  // not owned
    TLang_LangResources FSources;
    std::int32_t FAnsiCodePage = 0;
    const std::uint16_t FBaseLangId = 1033;
    std::uint16_t FActiveLangId = 1033;
};

// The one language manager of the process, created by the first call.
TLanguageManager& LangManager();
// Whether the manager exists (it is gone once the program's static objects are destroyed).
bool LangManagerExists();
// LangManager().ConstantText(name).
std::u16string LangConstText(std::string_view name);
