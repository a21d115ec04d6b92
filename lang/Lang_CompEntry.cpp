#include "lang/Lang_CompEntry.h"

#include "lang/ByteReader.h"
#include "lang/LangEscapes.h"
#include "lang/LangText.h"
#include "lang/Lang_CompEntries.h"
#include "lang/Lang_PropEntries.h"
#include "lang/Lang_PropertyWalk.h"
#include "lang/LanguageController.h"
#include "platform/Exception.h"
#include "classes/ClassInfo.h"
#include "classes/Component.h"

#include <algorithm>
#include <cstdio>

struct TLang_CompEntry::TRefreshState {
    bool Modify = false;
    const TLang_RefreshOptions* Options = nullptr;
    std::int32_t NextId = 1;
};

namespace {

void PutUInt16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutInt32(std::vector<std::uint8_t>& out, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

void PutShortText(std::vector<std::uint8_t>& out, const std::string& text)
{
    if (text.size() > 0xFFFF)
        throw EStreamError("Name too long to store (" + std::to_string(text.size()) + " bytes)");
    PutUInt16(out, static_cast<std::uint16_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

bool IsController(const TComponent& component)
{
    return component.InheritsFrom(TLanguageController::StaticClass());
}

} // namespace

TLang_CompEntry::TLang_CompEntry(TLang_CompEntry* parent) : FParent(parent) {}

TLang_CompEntry::~TLang_CompEntry() = default;

void TLang_CompEntry::ReleaseEmptyChildren()
{
    if (FChildren && FChildren->Empty())
        FChildren.reset();
}

void TLang_CompEntry::BindTo(TComponent* component)
{
    FBoundComponent = component;
    if (component == nullptr)
        return;
    FStoredName.clear();
    if (FChildren) {
        for (int i = FChildren->Count() - 1; i >= 0; --i) {
            TLang_CompEntry& child = FChildren->Items(i);
            if (child.FStoredName.empty())
                continue;
            if (TComponent* found = component->FindComponent(child.FStoredName))
                child.BindTo(found);
            else
                FChildren->Delete(i);
        }
    }
    ReleaseEmptyChildren();
}

void TLang_CompEntry::ClearLive()
{
    if (FProps)
        FProps->ClearLive();
    if (FChildren)
        for (int i = 0; i < FChildren->Count(); ++i)
            FChildren->Items(i).ClearLive();
}

void TLang_CompEntry::Refresh(bool modify, const TLang_RefreshOptions& options)
{
    TRefreshState state;
    state.Modify = modify;
    state.Options = &options;
    if (modify) {
        ClearLive();
        state.NextId = HighestId() + 1;
    }
    Visit(state);
}

void TLang_CompEntry::Visit(TRefreshState& state)
{
    if (FBoundComponent == nullptr)
        return;
    TLang_CaptureContext context;
    context.Prefix = PathName(false) + ".";
    context.Options = state.Options;
    context.Modify = state.Modify;
    context.NextId = &state.NextId;
    context.Props = &FProps;
    CaptureProperties(*FBoundComponent, context);
    if (state.Modify && FProps) {
        FProps->DeleteDead();
        if (FProps->Empty())
            FProps.reset();
    }
    for (int i = 0; i < FBoundComponent->ComponentCount(); ++i) {
        TComponent* owned = FBoundComponent->Components(i);
        if (owned->Name().empty() || IsController(*owned))
            continue;
        TLang_CompEntry* child = FChildren ? FChildren->FindBound(owned) : nullptr;
        if (child == nullptr && state.Modify) {
            if (!FChildren)
                FChildren = std::make_unique<TLang_CompEntries>(*this);
            child = &FChildren->Add();
            child->FBoundComponent = owned;
        }
        if (child != nullptr)
            child->Visit(state);
    }
}

void TLang_CompEntry::Translate(const TLang_CompTranslation* section, std::uint32_t codePage)
{
    if (FProps && FBoundComponent)
        TranslateProperties(*FBoundComponent, *FProps, section, codePage);
    if (FChildren)
        for (int i = 0; i < FChildren->Count(); ++i)
            FChildren->Items(i).Translate(section, codePage);
}

void TLang_CompEntry::DropComponent(const TComponent* component, bool recursive)
{
    if (!FChildren)
        return;
    const int index = FChildren->IndexOfBound(component);
    if (index >= 0)
        FChildren->Delete(index);
    ReleaseEmptyChildren();
    if (recursive && FChildren)
        for (int i = 0; i < FChildren->Count(); ++i)
            FChildren->Items(i).DropComponent(component, true);
}

std::string TLang_CompEntry::EntryName() const
{
    return FBoundComponent ? FBoundComponent->Name() : FStoredName;
}

std::string TLang_CompEntry::PathName(bool includeRoot) const
{
    if (FParent == nullptr)
        return includeRoot ? EntryName() : std::string();
    std::string path = FParent->PathName(includeRoot);
    if (!path.empty())
        path += ".";
    return path + EntryName();
}

std::int32_t TLang_CompEntry::HighestId() const
{
    std::int32_t highest = FProps ? FProps->HighestId() : 0;
    if (FChildren)
        for (int i = 0; i < FChildren->Count(); ++i)
            highest = std::max(highest, FChildren->Items(i).HighestId());
    return highest;
}

void TLang_CompEntry::ReadStream(TByteReader& reader)
{
    ReadEntry(reader, 0);
}

void TLang_CompEntry::ReadEntry(TByteReader& reader, int depth)
{
    if (depth >= MaxDepth)
        throw EReadError("Stream read error: component entries nested deeper than " + std::to_string(MaxDepth)
            + " levels");
    FStoredName = reader.ReadBytes(reader.ReadUInt16());
    if (reader.ReadByte() != 0) {
        if (!FProps)
            FProps = std::make_unique<TLang_PropEntries>();
        FProps->Clear();
        // Each pair takes at least six bytes, so a count beyond the data ends in a read error.
        const std::int32_t count = reader.ReadInt32();
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int32_t id = reader.ReadInt32();
            const std::string path = reader.ReadBytes(reader.ReadUInt16());
            FProps->PutEntry(id, path, std::u16string());
        }
    }
    if (reader.ReadByte() != 0) {
        if (!FChildren)
            FChildren = std::make_unique<TLang_CompEntries>(*this);
        FChildren->Clear();
        const std::int32_t count = reader.ReadInt32();
        for (std::int32_t i = 0; i < count; ++i)
            FChildren->Add().ReadEntry(reader, depth + 1);
    }
}

void TLang_CompEntry::WriteStream(std::vector<std::uint8_t>& out) const
{
    PutShortText(out, EntryName());
    if (FProps) {
        out.push_back(1);
        PutInt32(out, FProps->Count());
        for (int i = 0; i < FProps->Count(); ++i) {
            PutInt32(out, FProps->Items(i).PropId);
            PutShortText(out, FProps->Items(i).PropName);
        }
    } else {
        out.push_back(0);
    }
    if (FChildren) {
        out.push_back(1);
        PutInt32(out, FChildren->Count());
        for (int i = 0; i < FChildren->Count(); ++i)
            FChildren->Items(i).WriteStream(out);
    } else {
        out.push_back(0);
    }
}

void TLang_CompEntry::ExportSource(std::vector<std::u16string>& lines) const
{
    if (FProps) {
        std::string prefix = PathName(false);
        if (!prefix.empty())
            prefix += ".";
        for (int i = 0; i < FProps->Count(); ++i) {
            const TLang_PropEntry& entry = FProps->Items(i);
            char id[16];
            std::snprintf(id, sizeof id, "%.8d", entry.PropId);
            lines.push_back(WidenAnsi(prefix + entry.PropName + "=" + id + ",") + EscapeText(entry.BaseValue));
        }
    }
    if (FChildren)
        for (int i = 0; i < FChildren->Count(); ++i)
            FChildren->Items(i).ExportSource(lines);
}
