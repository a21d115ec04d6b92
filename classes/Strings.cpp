#include "classes/Strings.h"

#include "classes/Errors.h"
#include "classes/Filer.h"
#include "classes/FormValue.h"
#include "classes/Published.h"
#include "platform/AsciiText.h"
#include "classes/WideStringList.h"

#include "platform/CodePage.h"
#include "platform/ScopeGuard.h"

const TClassInfo& TStrings::StaticClass() {
    static const TClassInfo info("TStrings", &TPersistent::StaticClass(), {});
    return info;
}

int TStrings::Add(const std::string& value) {
    const int index = Count();
    Insert(index, value);
    return index;
}

int TStrings::IndexOf(std::string_view value) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Get(i), value)) return i;
    return -1;
}

std::string TStrings::Text() const {
    std::string result;
    for (int i = 0; i < Count(); ++i) {
        result += Get(i);
        result += "\r\n";
    }
    return result;
}

void TStrings::SetText(std::string_view text) {
    BeginUpdate();
    const TScopeGuard endUpdate([this] { EndUpdate(); });
    Clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            Add(std::string(text.substr(start)));
            break;
        }
        Add(std::string(text.substr(start, end - start)));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
}

void TStrings::AddStrings(const TStrings& other) {
    const std::vector<std::string> lines = other.ToVector();  // other may be this list
    BeginUpdate();
    const TScopeGuard endUpdate([this] { EndUpdate(); });
    for (const std::string& line : lines) Add(line);
}

std::vector<std::string> TStrings::ToVector() const {
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(Count()));
    for (int i = 0; i < Count(); ++i) result.push_back(Get(i));
    return result;
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TStrings::Assign(const TPersistent& source) {
    if (const auto* strings = dynamic_cast<const TStrings*>(&source)) {
        if (strings == this) return;
        const std::vector<std::string> lines = strings->ToVector();
        BeginUpdate();
        const TScopeGuard endUpdate([this] { EndUpdate(); });
        Clear();
        for (const std::string& line : lines) Add(line);
        return;
    }
    if (const auto* wide = dynamic_cast<const TWideStringList*>(&source)) {
        BeginUpdate();
        const TScopeGuard endUpdate([this] { EndUpdate(); });
        Clear();
        for (int i = 0; i < wide->Count(); ++i) Add(WideToMultiByte(CP_ACP, wide->Get(i)));
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::DefineProperties(TFiler& filer) {
    filer.DefineProperty("Strings", [this](const TFormValue& value) {
        if (value.Kind != fvList) throw EPropertyError("a list of strings is expected");
        for (const TFormValue& line : value.List)
            if (line.Kind != fvString) throw EPropertyError("a list of strings is expected");
        BeginUpdate();
        const TScopeGuard endUpdate([this] { EndUpdate(); });
        Clear();
        for (const TFormValue& line : value.List) Add(line.AnsiString());
    }, Count() > 0);
}
