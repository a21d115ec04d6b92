#include "LangTestComponents.h"

#include "lang/LanguageController.h"
#include "classes/ClassRegistry.h"
#include "classes/Errors.h"
#include "classes/FormReader.h"
#include "classes/Published.h"

#include "support/TestTree.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

void TLangTestBorder::Assign(const TPersistent& source)
{
    if (const auto* border = dynamic_cast<const TLangTestBorder*>(&source)) {
        FTitle = border->FTitle;
        return;
    }
    TPersistent::Assign(source);
}

const TClassInfo& TLangTestBorder::StaticClass()
{
    static const TClassInfo info = MakeClass<TLangTestBorder, TPersistent>("TLangTestBorder", {
        Published<TLangTestBorder>("Title", &TLangTestBorder::FTitle, &TLangTestBorder::FTitle),
        Published<TLangTestBorder>("Loop", &TLangTestBorder::GetLoop, &TLangTestBorder::SetLoop),
    });
    return info;
}

const TClassInfo& TLangTestColumn::StaticClass()
{
    using T = TLangTestColumn;
    static const TClassInfo info = MakeClass<T, TCollectionItem>("TLangTestColumn", {
        Published<T>("Title", &T::FTitle, &T::FTitle),
        Published<T>("Width", &T::FWidth, &T::FWidth),
    });
    return info;
}

TLangTestControl::TLangTestControl(TComponent* owner)
    : TComponent(owner),
      FFont(std::make_unique<TPersistentFont>()),
      FBorder(std::make_unique<TLangTestBorder>()),
      FLines(std::make_unique<TStringList>()),
      FWideLines(std::make_unique<TWideStringList>()),
      FColumns(std::make_unique<TCollection>(TLangTestColumn::StaticClass(), this))
{
}

void TLangTestControl::SetCaption(const std::string& value)
{
    if (value == "refuse")
        throw EPropertyError("Caption refused");
    FCaption = value;
    ++FCaptionSets;
}

void TLangTestControl::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FBuddy)
        FBuddy = nullptr;
}

const TClassInfo& TLangTestControl::StaticClass()
{
    using T = TLangTestControl;
    static const TClassInfo info = MakeClass<T, TComponent>("TLangTestControl", {
        Published<T>("Caption", &T::GetCaption, &T::SetCaption),
        Published<T>("Hint", &T::FHint, &T::FHint),
        Published<T>("Short", &T::FShort, &T::FShort).ShortString(),
        Published<T>("Text", &T::FText, &T::FText).Stored(&T::IsTextStored),
        Published<T>("Fixed", &T::GetFixed),
        Published<T>("Width", &T::FWidth, &T::FWidth),
        Published<T>("Font", &T::GetFont, &T::SetFont),
        Published<T>("Border", &T::GetBorder, &T::SetBorder),
        Published<T>("Lines", &T::GetLines, &T::SetLines),
        Published<T>("WideLines", &T::GetWideLines, &T::SetWideLines),
        Published<T>("Columns", &T::GetColumns, &T::SetColumns),
        Published<T>("Buddy", &T::FBuddy, &T::FBuddy),
    });
    return info;
}

const TClassInfo& TLangTestLabel::StaticClass()
{
    using T = TLangTestLabel;
    static const TClassInfo info = MakeClass<T, TComponent>("TLangTestLabel", {
        Published<T>("Caption", &T::FCaption, &T::FCaption),
    });
    return info;
}

const TClassInfo& TLangTestImage::StaticClass()
{
    using T = TLangTestImage;
    static const TClassInfo info = MakeClass<T, TComponent>("TLangTestImage", {
        Published<T>("Width", &T::FWidth, &T::FWidth),
    });
    return info;
}

const TClassInfo& TLangTestForm::StaticClass()
{
    using T = TLangTestForm;
    static const TClassInfo info = MakeClass<T, TComponent>("TLangTestForm", {
        Published<T>("Caption", &T::FCaption, &T::FCaption),
    });
    return info;
}

const TClassRegistry& LangTestClasses()
{
    static const TClassRegistry registry = [] {
        TClassRegistry r;
        r.RegisterClass(TLangTestControl::StaticClass());
        r.RegisterClass(TLangTestLabel::StaticClass());
        r.RegisterClass(TLangTestImage::StaticClass());
        r.RegisterClass(TLanguageController::StaticClass());
        return r;
    }();
    return registry;
}

std::unique_ptr<TLangTestForm> LoadLangTestForm(const std::string& definition)
{
    auto form = std::make_unique<TLangTestForm>();
    TFormReader(LangTestClasses(), "TEST").Read(*form, definition);
    return form;
}

std::string HexDigits(const std::vector<std::uint8_t>& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i % 32 == 0)
            text += "\n      ";
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

std::vector<std::uint8_t> SourceFileBytes(const std::string& relativePath)
{
    std::ifstream file(TestSourceDir() / relativePath, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot open " + relativePath);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
