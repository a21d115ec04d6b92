#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TByteReader;
class TComponent;
class TLang_CompEntries;
class TLang_CompTranslation;
class TLang_MaskList;
class TLang_PropEntries;

// What a refresh captures: the option filters and the two mask lists.
struct TLang_RefreshOptions {
    bool IgnoreEmptyProps = true;
    bool IgnoreNonAlphaProps = true;
    bool IgnoreFontProps = true;
    const TLang_MaskList* StoreMasks = nullptr;   // captured even when not stored
    const TLang_MaskList* IgnoreMasks = nullptr;  // never captured
};

// One node of a language controller's entry tree: a component (the form at the root) with
// its translatable properties and the entries of the components it owns.
class TLang_CompEntry {
public:
    // Entries deeper than this are refused when reading, so that a stream cannot exhaust the stack.
    static constexpr int MaxDepth = 256;

    explicit TLang_CompEntry(TLang_CompEntry* parent = nullptr);
    ~TLang_CompEntry();
    TLang_CompEntry(const TLang_CompEntry&) = delete;
    TLang_CompEntry& operator=(const TLang_CompEntry&) = delete;

    TLang_PropEntries* Props() const { return FProps.get(); }
    TLang_CompEntries* Children() const { return FChildren.get(); }
    const std::string& StoredName() const { return FStoredName; }
    TComponent* BoundComponent() const { return FBoundComponent; }
    TLang_CompEntry* Parent() const { return FParent; }

    // Binds the entry to a component and its stored children to the components it owns of
    // the same names; children whose component is missing are dropped.
    void BindTo(TComponent* component);
    // On the root: captures the value of every translatable property. With `modify` missing
    // entries are created (new IDs above the highest) and entries no longer met are deleted;
    // without, only the values of existing entries are updated.
    void Refresh(bool modify, const TLang_RefreshOptions& options);
    // Sets every property that has an entry to the section's text for its ID, or to its
    // captured value when the section has none (or there is no section).
    void Translate(const TLang_CompTranslation* section, std::uint32_t codePage);
    // Deletes the child entry bound to the component; with `recursive` also deeper down.
    void DropComponent(const TComponent* component, bool recursive);

    // The dotted names from the root (the root's own name only with `includeRoot`).
    std::string PathName(bool includeRoot) const;
    // The bound component's name, or the stored name while unbound.
    std::string EntryName() const;
    // The largest property ID in this entry and below, 0 when there is none.
    std::int32_t HighestId() const;

    // The LangData stream.
    void ReadStream(TByteReader& reader);
    void WriteStream(std::vector<std::uint8_t>& out) const;
    // "path.Prop=00000007,escaped value" lines of this entry and below.
    void ExportSource(std::vector<std::u16string>& lines) const;

private:
    struct TRefreshState;

    void ClearLive();
    void Visit(TRefreshState& state);
    void ReadEntry(TByteReader& reader, int depth);
    void ReleaseEmptyChildren();

    std::unique_ptr<TLang_PropEntries> FProps;
    std::unique_ptr<TLang_CompEntries> FChildren;
    std::string FStoredName;
    TComponent* FBoundComponent = nullptr;
    TLang_CompEntry* FParent;
};
