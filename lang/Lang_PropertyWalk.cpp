#include "lang/Lang_PropertyWalk.h"

#include "lang/LangText.h"
#include "lang/Lang_CompEntry.h"
#include "lang/Lang_CompTranslation.h"
#include "lang/Lang_MaskList.h"
#include "lang/Lang_PropEntries.h"
#include "platform/CodePage.h"
#include "classes/ClassInfo.h"
#include "classes/Collection.h"
#include "classes/Component.h"
#include "classes/StringList.h"
#include "platform/AsciiText.h"
#include "classes/WideStringList.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// What a walk does with one value: a string property, or the text of a string list.
enum class TValueKind { Ansi, Wide, AnsiList, WideList };

using TValueHandler = std::function<void(TObject& object, const TPropInfo& info, TValueKind kind,
                                         const std::string& path)>;
// Whether a property is looked at, given its path; the capture walk tests masks and storage here.
using TPropertyFilter = std::function<bool(const TObject& object, const TPropInfo& info, const std::string& path)>;
// Whether a persistent sub-object is walked.
using TObjectFilter = std::function<bool(const TObject& object)>;

struct TWalk {
    TPropertyFilter Filter;
    TObjectFilter EnterObject;
    TValueHandler Handle;
    // The objects on the current path: a sub-object that refers back to one of them is not
    // walked again, so that cycles end.
    std::vector<const TObject*> Stack;
};

std::string JoinPath(const std::string& prefix, const std::string& name)
{
    return prefix.empty() ? name : prefix + "." + name;
}

void Walk(TObject& object, const std::string& pathPrefix, TWalk& walk)
{
    if (std::find(walk.Stack.begin(), walk.Stack.end(), &object) != walk.Stack.end())
        return;
    walk.Stack.push_back(&object);
    const bool isComponent = dynamic_cast<TComponent*>(&object) != nullptr;
    for (const TPropInfo& info : object.ClassType().Properties()) {
        if (isComponent && SameText(info.Name(), "Name"))
            continue;
        const TTypeKind kind = info.Kind();
        if (kind != tkString && kind != tkLString && kind != tkWString && kind != tkClass)
            continue;
        const std::string path = JoinPath(pathPrefix, info.Name());
        // Read-only properties cannot take a translation.
        if (!info.HasGetter() || !info.HasSetter())
            continue;
        if (walk.Filter && !walk.Filter(object, info, path))
            continue;
        if (kind == tkString || kind == tkLString) {
            walk.Handle(object, info, TValueKind::Ansi, path);
            continue;
        }
        if (kind == tkWString) {
            walk.Handle(object, info, TValueKind::Wide, path);
            continue;
        }
        TObject* value = info.GetObject(object);
        if (value == nullptr)
            continue;
        if (dynamic_cast<TWideStringList*>(value) != nullptr) {
            walk.Handle(object, info, TValueKind::WideList, path);
        } else if (dynamic_cast<TStrings*>(value) != nullptr) {
            walk.Handle(object, info, TValueKind::AnsiList, path);
        } else if (auto* collection = dynamic_cast<TCollection*>(value)) {
            for (int i = 0; i < collection->Count(); ++i)
                Walk(collection->Items(i), path + "[" + std::to_string(i) + "]", walk);
        } else if (dynamic_cast<TComponent*>(value) != nullptr) {
            continue;
        } else if (dynamic_cast<TPersistent*>(value) != nullptr) {
            if (!walk.EnterObject || walk.EnterObject(*value))
                Walk(*value, path, walk);
        }
    }
    walk.Stack.pop_back();
}

std::u16string ReadValue(TObject& object, const TPropInfo& info, TValueKind kind)
{
    switch (kind) {
    case TValueKind::Ansi:
        return WidenAnsi(info.GetStr(object));
    case TValueKind::Wide:
        return info.GetWideStr(object);
    case TValueKind::AnsiList:
        return WidenAnsi(static_cast<TStrings*>(info.GetObject(object))->Text());
    case TValueKind::WideList:
        return static_cast<TWideStringList*>(info.GetObject(object))->Text();
    }
    return {};
}

void WriteValue(TObject& object, const TPropInfo& info, TValueKind kind, const std::u16string& text,
                std::uint32_t codePage)
{
    switch (kind) {
    case TValueKind::Ansi:
        info.SetStr(object, WideToMultiByte(codePage, text));
        break;
    case TValueKind::Wide:
        info.SetWideStr(object, text);
        break;
    case TValueKind::AnsiList:
        static_cast<TStrings*>(info.GetObject(object))->SetText(WideToMultiByte(codePage, text));
        break;
    case TValueKind::WideList:
        static_cast<TWideStringList*>(info.GetObject(object))->SetText(text);
        break;
    }
}

} // namespace

bool HasLetter(std::u16string_view value)
{
    return std::any_of(value.begin(), value.end(), [](char16_t c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c >= 0x00A1;
    });
}

void CaptureProperties(TObject& object, TLang_CaptureContext& context)
{
    const TLang_RefreshOptions& options = *context.Options;
    TWalk walk;
    walk.Filter = [&](const TObject& owner, const TPropInfo& info, const std::string& path) {
        const std::string full = context.Prefix + path;
        if (options.IgnoreMasks && options.IgnoreMasks->MatchesAny(full))
            return false;
        return info.IsStored(owner) || (options.StoreMasks && options.StoreMasks->MatchesAny(full));
    };
    walk.EnterObject = [&](const TObject& sub) { return !(options.IgnoreFontProps && sub.ClassName() == "TFont"); };
    walk.Handle = [&](TObject& owner, const TPropInfo& info, TValueKind kind, const std::string& path) {
        std::u16string value = ReadValue(owner, info, kind);
        if (options.IgnoreNonAlphaProps) {
            if (!HasLetter(value))
                return;
        } else if (options.IgnoreEmptyProps && value.empty()) {
            return;
        }
        if (context.Modify) {
            if (!*context.Props)
                *context.Props = std::make_unique<TLang_PropEntries>();
            if ((*context.Props)->PutEntry(*context.NextId, path, std::move(value)))
                ++*context.NextId;
        } else if (*context.Props) {
            if (TLang_PropEntry* entry = (*context.Props)->FindEntry(path))
                entry->BaseValue = std::move(value);
        }
    };
    Walk(object, std::string(), walk);
}

void TranslateProperties(TObject& object, const TLang_PropEntries& props, const TLang_CompTranslation* section,
                         std::uint32_t codePage)
{
    TWalk walk;
    walk.Handle = [&](TObject& owner, const TPropInfo& info, TValueKind kind, const std::string& path) {
        const TLang_PropEntry* entry = props.FindEntry(path);
        if (entry == nullptr)
            return;
        const TLang_PropValueTranslation* translated = section ? section->FindValue(entry->PropId) : nullptr;
        WriteValue(owner, info, kind, translated ? translated->Text : entry->BaseValue, codePage);
    };
    Walk(object, std::string(), walk);
}
