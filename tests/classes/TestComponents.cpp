#include "TestComponents.h"

#include "classes/ClassRegistry.h"
#include "ui/ColorIdents.h"
#include "classes/Filer.h"
#include "classes/Published.h"

void TTestSub::Assign(const TPersistent& source) {
    if (const auto* sub = dynamic_cast<const TTestSub*>(&source)) {
        FName = sub->FName;
        FSize = sub->FSize;
        return;
    }
    TPersistent::Assign(source);
}

const TClassInfo& TTestSub::StaticClass() {
    static const TClassInfo info = MakeClass<TTestSub, TPersistent>("TTestSub", {
        Published<TTestSub>("Name", &TTestSub::FName, &TTestSub::FName),
        Published<TTestSub>("Size", &TTestSub::FSize, &TTestSub::FSize).Default(8),
    });
    return info;
}

const TClassInfo& TTestItem::StaticClass() {
    static const TClassInfo info = MakeClass<TTestItem, TCollectionItem>("TTestItem", {
        Published<TTestItem>("Caption", &TTestItem::FCaption, &TTestItem::FCaption),
        Published<TTestItem>("Width", &TTestItem::FWidth, &TTestItem::FWidth),
        Published<TTestItem>("Buddy", &TTestItem::FBuddy, &TTestItem::FBuddy),
    });
    return info;
}

const TClassInfo& TTestControl::StaticClass() {
    using T = TTestControl;
    static const TClassInfo info = MakeClass<T, TComponent>("TTestControl", {
        Published<T>("Caption", &T::GetCaption, &T::SetCaption).Stored(&T::IsCaptionStored),
        Published<T>("Hint", &T::FHint, &T::FHint),
        Published<T>("Short", &T::FShort, &T::FShort).ShortString(),
        Published<T>("Small", &T::FSmall, &T::FSmall),
        Published<T>("Big", &T::FBig, &T::FBig),
        Published<T>("Color", &T::FColor, &T::FColor).Idents(ColorIdentToInt),
        Published<T>("Alignment", &T::FAlignment, &T::FAlignment).Default(taLeftJustify),
        Published<T>("Anchors", &T::FAnchors, &T::FAnchors).Default(TTestAnchors{akLeft, akTop}),
        Published<T>("Visible", &T::FVisible, &T::FVisible).Default(true),
        Published<T>("PasswordChar", &T::FPasswordChar, &T::FPasswordChar).Default(0),
        Published<T>("WideChar", &T::FWideChar, &T::FWideChar),
        Published<T>("Sub", &T::GetSub, &T::SetSub),
        Published<T>("Buddy", &T::FBuddy, &T::FBuddy),
        Published<T>("Lines", &T::GetLines, &T::SetLines),
        Published<T>("WideLines", &T::GetWideLines, &T::SetWideLines),
        Published<T>("Items", &T::GetItems, &T::SetItems),
        Published<T>("ReadOnly", &T::GetReadOnly),
        Published<T>("OnClick", &T::FOnClick, &T::FOnClick),
        Published<T>("OnKey", &T::FOnKey, &T::FOnKey),
    });
    return info;
}

TTestControl::TTestControl(TComponent* owner)
    : TComponent(owner),
      FSub(std::make_unique<TTestSub>()),
      FLines(std::make_unique<TStringList>()),
      FWideLines(std::make_unique<TWideStringList>()),
      FItems(std::make_unique<TCollection>(TTestItem::StaticClass(), this)) {
    if (auto* form = dynamic_cast<TTestForm*>(owner)) FLog = &form->Log;
}

TTestControl::~TTestControl() {
    if (FLog) FLog->push_back("destroy " + Name());
}

void TTestControl::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Data", [this](std::span<const std::uint8_t> bytes) { FData.assign(bytes.begin(), bytes.end()); },
        [this](std::vector<std::uint8_t>& out) { out = FData; }, !FData.empty());
}

void TTestControl::Loaded() {
    TComponent::Loaded();
    if (FLog) FLog->push_back("loaded " + Name());
}

void TTestControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (FLog && operation == opRemove) FLog->push_back(Name() + " hears removal of " + component->Name());
    if (operation == opRemove && component == FBuddy) FBuddy = nullptr;
}

const TClassInfo& TTestPanel::StaticClass() {
    using T = TTestPanel;
    static const TClassInfo info = MakeClass<T, TTestControl>("TTestPanel", {
        Published<T>("Border", &T::FBorder, &T::FBorder).Default(1),
        Published<T>("Caption", &T::GetCaption, &T::SetCaption).Stored(false),
    });
    return info;
}

const TClassInfo& TTestForm::StaticClass() {
    using T = TTestForm;
    static const TClassInfo info = MakeClass<T, TComponent>("TTestForm", {
        Published<T>("Caption", &T::FCaption, &T::FCaption),
    }, {
        PublishedMethod<T>("ButtonClick", &T::ButtonClick),
        PublishedMethod<T>("KeyPress", &T::KeyPress),
    }, {
        PublishedField<T>("Button1", &T::Button1),
    });
    return info;
}

void TTestForm::ButtonClick(TObject* sender) { Clicks.push_back(sender); }

void TTestForm::KeyPress(TObject*, char& key) { key = static_cast<char>(key + 1); }

void TTestForm::Loaded() {
    TComponent::Loaded();
    Log.push_back("loaded " + Name());
}

const TClassRegistry& TestClasses() {
    static const TClassRegistry registry = [] {
        TClassRegistry r;
        r.RegisterClass(TTestControl::StaticClass());
        r.RegisterClass(TTestPanel::StaticClass());
        return r;
    }();
    return registry;
}
