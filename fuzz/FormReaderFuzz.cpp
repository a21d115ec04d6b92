// Feeds arbitrary text to the form-definition reader, reading into a small form with one
// property of each kind. Only the reader's own error may come out; anything else (another
// exception, a crash, a leak) is a fault.
#include "classes/ClassRegistry.h"
#include "classes/Collection.h"
#include "classes/Component.h"
#include "classes/Errors.h"
#include "classes/Filer.h"
#include "classes/FormReader.h"
#include "ui/PersistentFont.h"
#include "classes/Published.h"
#include "classes/StringList.h"
#include "classes/WideStringList.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

namespace {

enum TFuzzKind { fkOne, fkTwo, fkThree };
VELTRANE_ENUM_INFO(TFuzzKind, "fkOne", "fkTwo", "fkThree")
using TFuzzEvent = std::function<void(TObject*)>;

class TFuzzControl;

class TFuzzItem : public TCollectionItem {
public:
    VELTRANE_CLASS_INFO
    explicit TFuzzItem(TCollection* collection) : TCollectionItem(collection) {}
    std::string FText;
    TFuzzControl* FRef = nullptr;
};

class TFuzzControl : public TComponent {
public:
    VELTRANE_CLASS_INFO
    explicit TFuzzControl(TComponent* owner)
        : TComponent(owner), FItems(std::make_unique<TCollection>(TFuzzItem::StaticClass(), this)) {}
    TPersistentFont* GetFont() const { return FFont.get(); }
    void SetFont(TPersistentFont* value) { FFont->Assign(*value); }
    TStringList* GetLines() const { return FLines.get(); }
    void SetLines(TStringList* value) { FLines->Assign(*value); }
    TWideStringList* GetWide() const { return FWide.get(); }
    void SetWide(TWideStringList* value) { FWide->Assign(*value); }
    TCollection* GetItems() const { return FItems.get(); }
    void SetItems(TCollection* value) { FItems->Assign(*value); }
    void DefineProperties(TFiler& filer) override {
        filer.DefineBinaryProperty("Data", [this](std::span<const std::uint8_t> b) { FData.assign(b.begin(), b.end()); },
                                   [this](std::vector<std::uint8_t>& out) { out = FData; }, !FData.empty());
    }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == FRef) FRef = nullptr;
    }

    std::string FCaption, FShort;
    std::u16string FHint;
    std::int16_t FSmall = 0;
    std::uint32_t FColor = 0;
    TFuzzKind FKind = fkOne;
    TSet<TFuzzKind> FKinds;
    bool FFlag = false;
    char FChar = 0;
    TFuzzControl* FRef = nullptr;
    TFuzzEvent FOnClick;
    std::unique_ptr<TPersistentFont> FFont = std::make_unique<TPersistentFont>();
    std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
    std::unique_ptr<TWideStringList> FWide = std::make_unique<TWideStringList>();
    std::unique_ptr<TCollection> FItems;
    std::vector<std::uint8_t> FData;
};

class TFuzzForm : public TComponent {
public:
    VELTRANE_CLASS_INFO
    explicit TFuzzForm(TComponent* owner = nullptr) : TComponent(owner) {}
    ~TFuzzForm() override { DestroyComponents(); }
    void Clicked(TObject*) {}
    std::string FCaption;
    TFuzzControl* Control1 = nullptr;
};

const TClassInfo& TFuzzItem::StaticClass() {
    using T = TFuzzItem;
    static const TClassInfo info = MakeClass<T, TCollectionItem>("TFuzzItem", {
        Published<T>("Text", &T::FText, &T::FText),
        Published<T>("Ref", &T::FRef, &T::FRef),
    });
    return info;
}

const TClassInfo& TFuzzControl::StaticClass() {
    using T = TFuzzControl;
    static const TClassInfo info = MakeClass<T, TComponent>("TFuzzControl", {
        Published<T>("Caption", &T::FCaption, &T::FCaption),
        Published<T>("Short", &T::FShort, &T::FShort).ShortString(),
        Published<T>("Hint", &T::FHint, &T::FHint),
        Published<T>("Small", &T::FSmall, &T::FSmall),
        Published<T>("Color", &T::FColor, &T::FColor),
        Published<T>("Kind", &T::FKind, &T::FKind),
        Published<T>("Kinds", &T::FKinds, &T::FKinds),
        Published<T>("Flag", &T::FFlag, &T::FFlag),
        Published<T>("Char", &T::FChar, &T::FChar),
        Published<T>("Ref", &T::FRef, &T::FRef),
        Published<T>("OnClick", &T::FOnClick, &T::FOnClick),
        Published<T>("Font", &T::GetFont, &T::SetFont),
        Published<T>("Lines", &T::GetLines, &T::SetLines),
        Published<T>("Wide", &T::GetWide, &T::SetWide),
        Published<T>("Items", &T::GetItems, &T::SetItems),
    });
    return info;
}

const TClassInfo& TFuzzForm::StaticClass() {
    using T = TFuzzForm;
    static const TClassInfo info = MakeClass<T, TComponent>("TFuzzForm", {
        Published<T>("Caption", &T::FCaption, &T::FCaption),
    }, {PublishedMethod<T>("Clicked", &T::Clicked)}, {PublishedField<T>("Control1", &T::Control1)});
    return info;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TClassRegistry classes = [] {
        TClassRegistry r;
        r.RegisterClass(TFuzzControl::StaticClass());
        return r;
    }();
    TFuzzForm form;
    try {
        TFormReader(classes, "FUZZ").Read(form, std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const EFilerError&) {
        if (form.ComponentCount() != 0 || form.Control1 != nullptr) __builtin_trap();
    }
    return 0;
}
