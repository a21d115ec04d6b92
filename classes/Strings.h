#pragma once

#include "classes/Persistent.h"

#include <string>
#include <string_view>
#include <vector>

// An abstract list of 8-bit strings. Form definitions store its lines as the defined property
// "Strings" (Lines.Strings = ('a' 'b')); a string list property may also be given the list directly.
class TStrings : public TPersistent {
public:
    VELTRANE_CLASS_INFO

    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& value) = 0;
    virtual void Insert(int index, const std::string& value) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    // Appends (or, in a sorted list, inserts in order); answers the index, -1 when a duplicate was dropped.
    virtual int Add(const std::string& value);
    virtual int IndexOf(std::string_view value) const;

    std::string operator[](int index) const { return Get(index); }
    // Every line followed by CR LF.
    std::string Text() const;
    // Splits at CR LF, CR or LF; a last line without line end counts.
    void SetText(std::string_view text);
    void AddStrings(const TStrings& other);
    std::vector<std::string> ToVector() const;

    // Runs between BeginUpdate and EndUpdate calls in pairs; lists may defer their change notice.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    void Assign(const TPersistent& source) override;
    void DefineProperties(TFiler& filer) override;

protected:
    virtual void Changed() {}
    int UpdateCount() const { return FUpdateCount; }

private:
    int FUpdateCount = 0;
};
