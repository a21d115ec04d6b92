#pragma once

// Reflected components the controller tests read form definitions into: a form, a captioned
// control publishing one property of each translatable kind, and a control without text.

#include "classes/Collection.h"
#include "classes/Component.h"
#include "ui/PersistentFont.h"
#include "classes/StringList.h"
#include "classes/WideStringList.h"

#include <memory>
#include <string>
#include <vector>

class TClassRegistry;

// A sub-object that is not a font.
class TLangTestBorder : public TPersistent {
public:
    VELTRANE_CLASS_INFO
    std::string FTitle;
    void Assign(const TPersistent& source) override;
    // Refers back to the border itself, so that walks over sub-objects meet a cycle.
    TLangTestBorder* GetLoop() const { return const_cast<TLangTestBorder*>(this); }
    void SetLoop(TLangTestBorder*) {}
};

class TLangTestColumn : public TCollectionItem {
public:
    VELTRANE_CLASS_INFO
    explicit TLangTestColumn(TCollection* collection) : TCollectionItem(collection) {}
    std::string FTitle;
    int FWidth = 0;
};

class TLangTestControl : public TComponent {
public:
    VELTRANE_CLASS_INFO
    explicit TLangTestControl(TComponent* owner);
    ~TLangTestControl() override { DestroyComponents(); }

    const std::string& GetCaption() const { return FCaption; }
    // "refuse" is refused, so that tests can make a translation fail.
    void SetCaption(const std::string& value);
    TPersistentFont* GetFont() const { return FFont.get(); }
    void SetFont(TPersistentFont* value) { FFont->Assign(*value); }
    TLangTestBorder* GetBorder() const { return FBorder.get(); }
    void SetBorder(TLangTestBorder* value) { FBorder->Assign(*value); }
    TStringList* GetLines() const { return FLines.get(); }
    void SetLines(TStringList* value) { FLines->Assign(*value); }
    TWideStringList* GetWideLines() const { return FWideLines.get(); }
    void SetWideLines(TWideStringList* value) { FWideLines->Assign(*value); }
    TCollection* GetColumns() const { return FColumns.get(); }
    void SetColumns(TCollection* value) { FColumns->Assign(*value); }
    std::string GetFixed() const { return "Fixed text"; }
    bool IsTextStored() const { return FText != "default"; }

    std::string FCaption;
    int FCaptionSets = 0;
    std::u16string FHint;
    std::string FShort;
    std::string FText = "default";  // stored only when not "default"
    int FWidth = 0;
    std::unique_ptr<TPersistentFont> FFont;
    std::unique_ptr<TLangTestBorder> FBorder;
    std::unique_ptr<TStringList> FLines;
    std::unique_ptr<TWideStringList> FWideLines;
    std::unique_ptr<TCollection> FColumns;
    TLangTestControl* FBuddy = nullptr;
    TComponent* FParent = nullptr;

    TComponent* GetParentComponent() const override { return FParent; }
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* parent) override { FParent = parent; }

protected:
    void Notification(TComponent* component, TOperation operation) override;
};

// A control with only a caption, like a label or a button.
class TLangTestLabel : public TComponent {
public:
    VELTRANE_CLASS_INFO
    using TComponent::TComponent;
    std::string FCaption;
};

// A control without text, like an image or a shape.
class TLangTestImage : public TComponent {
public:
    VELTRANE_CLASS_INFO
    using TComponent::TComponent;
    int FWidth = 0;
};

class TLangTestForm : public TComponent {
public:
    VELTRANE_CLASS_INFO
    explicit TLangTestForm(TComponent* owner = nullptr) : TComponent(owner) {}
    ~TLangTestForm() override { DestroyComponents(); }
    std::string FCaption;
};

// The test classes and the language controller.
const TClassRegistry& LangTestClasses();
// Reads a form definition into a new form.
std::unique_ptr<TLangTestForm> LoadLangTestForm(const std::string& definition);
// The bytes as the hexadecimal digits of a binary property.
std::string HexDigits(const std::vector<std::uint8_t>& bytes);
// A file of the source tree (VELTRANE_SOURCE_DIR).
std::vector<std::uint8_t> SourceFileBytes(const std::string& relativePath);
