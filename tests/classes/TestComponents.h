#pragma once

// Small reflected classes the ui tests read form definitions into.

#include "classes/Collection.h"
#include "classes/Component.h"
#include "classes/EnumInfo.h"
#include "classes/Set.h"
#include "classes/StringList.h"
#include "classes/WideStringList.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum TTestAlignment { taLeftJustify, taRightJustify, taCenter };
VELTRANE_ENUM_INFO(TTestAlignment, "taLeftJustify", "taRightJustify", "taCenter")
enum TTestAnchorKind { akLeft, akTop, akRight, akBottom };
VELTRANE_ENUM_INFO(TTestAnchorKind, "akLeft", "akTop", "akRight", "akBottom")
using TTestAnchors = TSet<TTestAnchorKind>;

using TTestNotifyEvent = std::function<void(TObject*)>;
using TTestKeyEvent = std::function<void(TObject*, char&)>;

// A font-like sub-object.
class TTestSub : public TPersistent {
public:
    VELTRANE_CLASS_INFO
    std::string FName = "Default";
    int FSize = 8;
    void Assign(const TPersistent& source) override;
};

class TTestControl;

class TTestItem : public TCollectionItem {
public:
    VELTRANE_CLASS_INFO
    explicit TTestItem(TCollection* collection) : TCollectionItem(collection) {}
    std::string FCaption;
    int FWidth = 0;
    TTestControl* FBuddy = nullptr;
};

// Everything a control may publish, one property of each kind.
class TTestControl : public TComponent {
public:
    VELTRANE_CLASS_INFO
    explicit TTestControl(TComponent* owner);
    ~TTestControl() override;

    const std::string& GetCaption() const { return FCaption; }
    void SetCaption(const std::string& value) { FCaption = value; ++FCaptionSets; FStateWhenCaptionSet = ComponentState(); }
    bool IsCaptionStored() const { return FCaption != "stock"; }
    TTestSub* GetSub() const { return FSub.get(); }
    void SetSub(TTestSub* value) { FSub->Assign(*value); }
    TStringList* GetLines() const { return FLines.get(); }
    void SetLines(TStringList* value) { FLines->Assign(*value); }
    TWideStringList* GetWideLines() const { return FWideLines.get(); }
    void SetWideLines(TWideStringList* value) { FWideLines->Assign(*value); }
    TCollection* GetItems() const { return FItems.get(); }
    void SetItems(TCollection* value) { FItems->Assign(*value); }
    int GetReadOnly() const { return 7; }

    TComponent* GetParentComponent() const override { return FParent; }
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* parent) override { FParent = parent; }
    void DefineProperties(TFiler& filer) override;

    std::string FCaption;
    int FCaptionSets = 0;
    std::u16string FHint;
    std::string FShort;
    std::int16_t FSmall = 0;
    std::int64_t FBig = 0;
    std::uint32_t FColor = 0;
    TTestAlignment FAlignment = taLeftJustify;
    TTestAnchors FAnchors{akLeft, akTop};
    bool FVisible = true;
    char FPasswordChar = 0;
    char16_t FWideChar = 0;
    std::unique_ptr<TTestSub> FSub;
    TTestControl* FBuddy = nullptr;
    std::unique_ptr<TStringList> FLines;
    std::unique_ptr<TWideStringList> FWideLines;
    std::unique_ptr<TCollection> FItems;
    TTestNotifyEvent FOnClick;
    TTestKeyEvent FOnKey;
    std::vector<std::uint8_t> FData;
    TComponent* FParent = nullptr;
    TComponentState FStateWhenCaptionSet;
    std::vector<std::string>* FLog = nullptr;  // the test form's log, when owned by one

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
};

// A derived class: inherited properties come first, a redeclared one keeps its place.
class TTestPanel : public TTestControl {
public:
    VELTRANE_CLASS_INFO
    using TTestControl::TTestControl;
    int FBorder = 1;
};

// A form-like root with published handlers and a field.
class TTestForm : public TComponent {
public:
    VELTRANE_CLASS_INFO
    explicit TTestForm(TComponent* owner = nullptr) : TComponent(owner) {}
    ~TTestForm() override { DestroyComponents(); }

    void ButtonClick(TObject* sender);
    void KeyPress(TObject* sender, char& key);

    std::string FCaption;
    TTestControl* Button1 = nullptr;
    std::vector<std::string> Log;
    std::vector<TObject*> Clicks;

protected:
    void Loaded() override;
};

// The registry of the test classes.
const class TClassRegistry& TestClasses();
