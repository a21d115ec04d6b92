#include "classes/FormReader.h"

#include "classes/ClassInfo.h"
#include "classes/ClassRegistry.h"
#include "classes/Collection.h"
#include "classes/Component.h"
#include "classes/EnumInfo.h"
#include "classes/Errors.h"
#include "classes/Filer.h"
#include "classes/FormParser.h"
#include "classes/Strings.h"
#include "platform/AsciiText.h"
#include "classes/WideStringList.h"

#include "platform/CodePage.h"
#include "platform/ScopeGuard.h"

#include <algorithm>
#include <new>

TFormReader::TFormReader(const TClassRegistry& classes, std::string sourceName)
    : FClasses(classes), FSourceName(std::move(sourceName)) {}

void TFormReader::Error(int line, const std::string& path, const std::string& what) const {
    std::string message = "Error reading " + FSourceName + " line " + std::to_string(line) + ": ";
    if (!path.empty()) message += path + ": ";
    throw EFilerError(message + what);
}

void TFormReader::WrongValue(const TPropInfo& info, const TFormValue& value, const std::string& path) const {
    Error(value.Line, path, std::string("Invalid property value: ") + value.KindName() + " where " +
                                 (info.Kind() == tkClass ? "an object" : TypeKindName(info.Kind())) + " is expected");
}

void TFormReader::Read(TComponent& root, std::string_view text) {
    TFormParser parser(text, FSourceName);
    const TFormObject definition = parser.Parse();
    Read(root, definition);
}

void TFormReader::Read(TComponent& root, const TFormObject& definition) {
    FRoot = &root;
    FCreated.clear();
    FFields.clear();
    FFixups.clear();

    bool classMatches = false;
    for (const TClassInfo* c = &root.ClassType(); c; c = c->Parent())
        if (SameText(c->ClassName(), definition.ClassName)) classMatches = true;
    if (!classMatches)
        Error(definition.Line, "", "a definition of class " + definition.ClassName + " cannot be read into a " + root.ClassName());

    root.FComponentState += TComponentState{csLoading, csReading};
    {
        TScopeGuard cleanup([this] { Cleanup(); });
        if (!definition.Name.empty()) {
            try {
                root.SetName(definition.Name);
            } catch (const Exception& e) {
                Error(definition.Line, "", e.Message());
            }
        }
        ReadComponent(root, definition);
        ResolveFixups();
        cleanup.Dismiss();
    }
    root.FComponentState.Exclude(csReading);

    // Every component hears that loading has finished, the root first, then in creation order.
    std::vector<TComponent*> loaded;
    loaded.push_back(&root);
    loaded.insert(loaded.end(), FCreated.begin(), FCreated.end());
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        // A failing Loaded leaves no component marked as still loading.
        TScopeGuard unmark([&loaded, i] {
            for (std::size_t j = i; j < loaded.size(); ++j) loaded[j]->FComponentState.Exclude(csLoading);
        });
        loaded[i]->Loaded();
        unmark.Dismiss();
    }
}

void TFormReader::Cleanup() {
    for (const std::string& field : FFields)
        if (const TFieldInfo* info = FRoot->ClassType().FindField(field)) info->Set(*FRoot, nullptr);
    for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it) {
        TComponent* component = *it;
        if (component->Owner() == FRoot) FRoot->RemoveComponent(*component).reset();
    }
    FCreated.clear();
    FFixups.clear();
    FRoot->FComponentState -= TComponentState{csLoading, csReading};
}

void TFormReader::ReadComponent(TComponent& component, const TFormObject& definition) {
    const std::string prefix = component.Name().empty() ? component.ClassName() : component.Name();
    for (const TFormProperty& property : definition.Properties) ReadProperty(component, property, prefix);
    for (const TFormObject& child : definition.Children) ReadChild(component, child);
    component.FComponentState.Exclude(csReading);
}

void TFormReader::ReadChild(TComponent& parent, const TFormObject& definition) {
    const std::string path = definition.Name.empty() ? definition.ClassName : definition.Name;
    TComponent* component = nullptr;
    try {
        std::unique_ptr<TComponent> created = FClasses.CreateComponent(definition.ClassName, FRoot);
        component = created.get();
        component->FComponentState += TComponentState{csLoading, csReading};
        component->SetName(definition.Name);
        FRoot->InsertComponent(std::move(created));
        FCreated.push_back(component);
        component->SetParentComponent(&parent);
        if (!definition.Name.empty()) {
            if (const TFieldInfo* field = FRoot->ClassType().FindField(definition.Name)) {
                if (!component->InheritsFrom(field->FieldClass()))
                    Error(definition.Line, path, "field " + field->Name() + " of " + FRoot->ClassName() + " is a " +
                                                     field->FieldClass().ClassName() + ", not a " + component->ClassName());
                field->Set(*FRoot, component);
                FFields.push_back(field->Name());
            }
        }
    } catch (const EFilerError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& e) {
        Error(definition.Line, path, e.what());
    }
    ReadComponent(*component, definition);
}

void TFormReader::ReadProperty(TObject& instance, const TFormProperty& property, const std::string& prefix) {
    const std::string path = prefix.empty() ? property.Name : prefix + "." + property.Name;
    try {
        TObject* current = &instance;
        std::string_view rest = property.Name;
        for (;;) {
            const std::size_t dot = rest.find('.');
            const std::string_view segment = rest.substr(0, dot);
            const TPropInfo* info = current->ClassType().FindProperty(segment);
            if (dot == std::string_view::npos) {
                if (info) {
                    AssignValue(*current, *info, property.Value, path);
                    return;
                }
                auto* persistent = dynamic_cast<TPersistent*>(current);
                TFiler filer;
                if (persistent) persistent->DefineProperties(filer);
                const TFiler::TDefinedProperty* defined = filer.Find(segment);
                if (!defined) Error(property.Line, path, "Property " + std::string(segment) + " does not exist");
                if (property.Value.Kind == fvBinary && defined->ReadBinary) {
                    defined->ReadBinary(property.Value.Bytes);
                } else if (defined->ReadValue) {
                    defined->ReadValue(property.Value);
                } else {
                    Error(property.Value.Line, path,
                          std::string("Invalid property value: ") + property.Value.KindName() + " where binary data is expected");
                }
                return;
            }
            if (!info) Error(property.Line, path, "Property " + std::string(segment) + " does not exist");
            if (info->Kind() != tkClass) Error(property.Line, path, "Property " + std::string(segment) + " is not an object");
            TObject* next = info->GetObject(*current);
            if (!next) Error(property.Line, path, "Property " + std::string(segment) + " has no object");
            current = next;
            rest = rest.substr(dot + 1);
        }
    } catch (const EFilerError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& e) {
        Error(property.Line, path, e.what());
    }
}

void TFormReader::AssignValue(TObject& target, const TPropInfo& info, const TFormValue& value, const std::string& path) {
    switch (info.Kind()) {
    case tkInteger:
    case tkInt64:
        if (value.Kind == fvInteger) {
            info.SetOrd(target, value.Integer);
        } else if (value.Kind == fvIdent) {
            const std::optional<std::int64_t> ordinal = info.IdentToOrd(value.Ident);
            if (!ordinal) Error(value.Line, path, "Invalid property value " + value.Ident);
            info.SetOrd(target, *ordinal);
        } else {
            WrongValue(info, value, path);
        }
        return;
    case tkChar:
    case tkWChar:
        if (value.Kind == fvInteger) {
            info.SetOrd(target, value.Integer);
        } else if (value.Kind == fvString && value.String.size() == 1) {
            std::int64_t code = value.String[0];
            if (info.Kind() == tkChar && code >= 0x80) {
                const std::string ansi = value.AnsiString();
                code = ansi.size() == 1 ? static_cast<unsigned char>(ansi[0]) : '?';
            }
            info.SetOrd(target, code);
        } else {
            WrongValue(info, value, path);
        }
        return;
    case tkEnumeration: {
        if (value.Kind != fvIdent) WrongValue(info, value, path);
        const std::optional<int> ordinal = info.EnumType() ? info.EnumType()->ValueOf(value.Ident) : std::nullopt;
        if (!ordinal) Error(value.Line, path, "Invalid property value " + value.Ident);
        info.SetOrd(target, *ordinal);
        return;
    }
    case tkSet: {
        if (value.Kind != fvSet) WrongValue(info, value, path);
        std::uint32_t bits = 0;
        for (const std::string& name : value.SetNames) {
            const std::optional<int> ordinal = info.EnumType() ? info.EnumType()->ValueOf(name) : std::nullopt;
            if (!ordinal || *ordinal >= 32) Error(value.Line, path, "Invalid property value " + name);
            bits |= std::uint32_t{1} << *ordinal;
        }
        info.SetOrd(target, bits);
        return;
    }
    case tkString:
    case tkLString:
        if (value.Kind != fvString) WrongValue(info, value, path);
        info.SetStr(target, value.AnsiString());
        return;
    case tkWString:
        if (value.Kind != fvString) WrongValue(info, value, path);
        info.SetWideStr(target, value.String);
        return;
    case tkMethod: {
        if (value.Kind != fvIdent) WrongValue(info, value, path);
        if (SameText(value.Ident, "nil")) {
            info.SetMethod(target, std::any());
            return;
        }
        const TMethodInfo* method = FRoot->ClassType().FindMethod(value.Ident);
        if (!method) Error(value.Line, path, "Method " + value.Ident + " not found in " + FRoot->ClassName());
        if (method->Signature() != info.MethodType())
            Error(value.Line, path, "Method " + value.Ident + " does not match event " + info.Name());
        info.SetMethod(target, method->Bind(*FRoot));
        return;
    }
    case tkClass: {
        if (value.Kind == fvIdent) {
            if (SameText(value.Ident, "nil")) {
                info.SetObject(target, nullptr);
            } else {
                if (!info.HasSetter()) Error(value.Line, path, "Property " + info.Name() + " is read-only");
                FFixups.push_back(TFixup{&target, &info, value.Ident, path, value.Line});
            }
            return;
        }
        TObject* object = info.GetObject(target);
        if (value.Kind == fvList) {
            TFiler filer;
            if (auto* persistent = dynamic_cast<TPersistent*>(object);
                persistent && (dynamic_cast<TStrings*>(object) || dynamic_cast<TWideStringList*>(object))) {
                persistent->DefineProperties(filer);
                filer.Find("Strings")->ReadValue(value);
                return;
            }
        } else if (value.Kind == fvCollection) {
            if (auto* collection = dynamic_cast<TCollection*>(object)) {
                ReadCollection(*collection, value, path);
                return;
            }
        }
        WrongValue(info, value, path);
    }
    case tkUnknown:
        break;
    }
    WrongValue(info, value, path);
}

void TFormReader::ReadCollection(TCollection& collection, const TFormValue& value, const std::string& path) {
    // References waiting in items about to be destroyed must not outlive them.
    for (int i = 0; i < collection.Count(); ++i) {
        TObject* item = &collection.Items(i);
        std::erase_if(FFixups, [item](const TFixup& f) { return f.Instance == item; });
    }
    collection.Clear();
    for (std::size_t i = 0; i < value.Items.size(); ++i) {
        TCollectionItem& item = collection.Add();
        const std::string itemPath = path + "[" + std::to_string(i) + "]";
        for (const TFormProperty& property : value.Items[i].Properties) ReadProperty(item, property, itemPath);
    }
}

void TFormReader::ResolveFixups() {
    for (const TFixup& fixup : FFixups) {
        TComponent* found = nullptr;
        if (SameText(fixup.Target, FRoot->Name())) found = FRoot;
        else found = FRoot->FindComponent(fixup.Target);
        if (!found) Error(fixup.Line, fixup.Path, "Unresolved reference to " + fixup.Target);
        const TClassInfo* wanted = fixup.Property->PropClass();
        if (wanted && !found->InheritsFrom(*wanted))
            Error(fixup.Line, fixup.Path, fixup.Target + " is a " + found->ClassName() + ", not a " + wanted->ClassName());
        try {
            fixup.Property->SetObject(*fixup.Instance, found);
        } catch (const std::bad_alloc&) {
            throw;
        } catch (const std::exception& e) {
            Error(fixup.Line, fixup.Path, e.what());
        }
    }
    FFixups.clear();
}
