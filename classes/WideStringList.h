#pragma once

#include "classes/Persistent.h"

#include <string>
#include <string_view>
#include <vector>

// A list of wide (UTF-16) strings, stored in form definitions like TStrings (the "Strings" property).
class TWideStringList : public TPersistent {
public:
    VELTRANE_CLASS_INFO

    int Count() const { return static_cast<int>(FItems.size()); }
    const std::u16string& Get(int index) const;
    void Put(int index, std::u16string value);
    void Add(std::u16string value) { FItems.push_back(std::move(value)); }
    void Delete(int index);
    void Clear() { FItems.clear(); }
    const std::u16string& operator[](int index) const { return Get(index); }

    // Every line followed by CR LF; setting splits at CR LF, CR or LF.
    std::u16string Text() const;
    void SetText(std::u16string_view text);

    void Assign(const TPersistent& source) override;
    void DefineProperties(TFiler& filer) override;

private:
    std::vector<std::u16string> FItems;
};
