#include "classes/WideStringList.h"

#include "classes/Errors.h"
#include "classes/Filer.h"
#include "classes/FormValue.h"
#include "classes/Published.h"
#include "classes/Strings.h"

#include "platform/CodePage.h"

const TClassInfo& TWideStringList::StaticClass() {
    static const TClassInfo info("TWideStringList", &TPersistent::StaticClass(), {});
    return info;
}

const std::u16string& TWideStringList::Get(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FItems[static_cast<std::size_t>(index)];
}

void TWideStringList::Put(int index, std::u16string value) {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    FItems[static_cast<std::size_t>(index)] = std::move(value);
}

void TWideStringList::Delete(int index) {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    FItems.erase(FItems.begin() + index);
}

std::u16string TWideStringList::Text() const {
    std::u16string result;
    for (const std::u16string& line : FItems) {
        result += line;
        result += u"\r\n";
    }
    return result;
}

void TWideStringList::SetText(std::u16string_view text) {
    FItems.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string_view::npos) {
            FItems.emplace_back(text.substr(start));
            break;
        }
        FItems.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == u'\r' && start < text.size() && text[start] == u'\n') ++start;
    }
}

void TWideStringList::Assign(const TPersistent& source) {
    if (const auto* wide = dynamic_cast<const TWideStringList*>(&source)) {
        if (wide != this) FItems = wide->FItems;
        return;
    }
    if (const auto* strings = dynamic_cast<const TStrings*>(&source)) {
        std::vector<std::u16string> lines;
        for (int i = 0; i < strings->Count(); ++i) lines.push_back(MultiByteToWide(CP_ACP, strings->Get(i)));
        FItems = std::move(lines);
        return;
    }
    TPersistent::Assign(source);
}

void TWideStringList::DefineProperties(TFiler& filer) {
    filer.DefineProperty("Strings", [this](const TFormValue& value) {
        if (value.Kind != fvList) throw EPropertyError("a list of strings is expected");
        std::vector<std::u16string> lines;
        for (const TFormValue& line : value.List) {
            if (line.Kind != fvString) throw EPropertyError("a list of strings is expected");
            lines.push_back(line.String);
        }
        FItems = std::move(lines);
    }, !FItems.empty());
}
