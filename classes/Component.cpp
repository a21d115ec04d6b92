#include "classes/Component.h"

#include "classes/Errors.h"
#include "classes/Published.h"
#include "platform/AsciiText.h"

#include <algorithm>

const TClassInfo& TComponent::StaticClass() {
    static const TClassInfo info = MakeClass<TComponent, TPersistent>("TComponent", {
        Published<TComponent>("Name", &TComponent::FName, &TComponent::SetName).Stored(false),
        Published<TComponent>("Tag", &TComponent::FTag, &TComponent::FTag).Default(0),
    });
    return info;
}

bool IsValidIdent(std::string_view name) {
    if (name.empty()) return false;
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!letter(name[0])) return false;
    return std::all_of(name.begin() + 1, name.end(), [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* owner) : FOwner(owner) {}

TComponent::~TComponent() {
    FComponentState.Include(csDestroying);
    // Watchers first: they must not keep a pointer to this component or its children.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        Unlink(*other);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    // Only an owner that never inserted this component (or a caller that bypassed it) gets here
    // with FOwner set; a component still in its owner's list is destroyed only through the owner.
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FComponents[static_cast<std::size_t>(index)].get();
}

int TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    for (int i = 0; i < FOwner->ComponentCount(); ++i)
        if (FOwner->FComponents[static_cast<std::size_t>(i)].get() == this) return i;
    return -1;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (const auto& component : FComponents)
        if (SameText(component->FName, name)) return component.get();
    return nullptr;
}

void TComponent::SetName(const std::string& name) {
    if (name == FName) return;
    if (!name.empty() && !IsValidIdent(name)) throw EComponentError("'" + name + "' is not a valid component name");
    if (FOwner && !name.empty()) {
        TComponent* other = FOwner->FindComponent(name);
        if (other && other != this) throw EComponentError("A component named " + name + " already exists");
    }
    FName = name;
}

void TComponent::InsertComponent(std::unique_ptr<TComponent> component) {
    if (!component) return;
    if (component.get() == this) throw EComponentError("A component cannot own itself");
    if (component->FOwner && component->FOwner != this)
        throw EComponentError("Component " + component->FName + " belongs to another owner");
    for (const TComponent* c = this; c; c = c->FOwner)
        if (c == component.get()) throw EComponentError("A component cannot own its owner");
    if (!component->FName.empty() && FindComponent(component->FName))
        throw EComponentError("A component named " + component->FName + " already exists");
    TComponent* inserted = component.get();
    inserted->FOwner = this;
    FComponents.push_back(std::move(component));
    Notification(inserted, opInsert);
}

std::unique_ptr<TComponent> TComponent::Detach(TComponent& component) {
    Notification(&component, opRemove);
    auto it = std::find_if(FComponents.begin(), FComponents.end(), [&](const auto& c) { return c.get() == &component; });
    if (it == FComponents.end()) return nullptr;  // a handler removed it meanwhile
    std::unique_ptr<TComponent> result = std::move(*it);
    FComponents.erase(it);
    result->FOwner = nullptr;
    return result;
}

std::unique_ptr<TComponent> TComponent::RemoveComponent(TComponent& component) {
    if (component.FOwner != this || std::none_of(FComponents.begin(), FComponents.end(),
                                                 [&](const auto& c) { return c.get() == &component; }))
        throw EComponentError("Component " + component.FName + " is not owned by " + FName);
    return Detach(component);
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        std::unique_ptr<TComponent> last = Detach(*FComponents.back());
        last.reset();
    }
}

void TComponent::Free() {
    if (!FOwner) throw EComponentError("Component " + FName + " has no owner to free it");
    std::unique_ptr<TComponent> self = FOwner->RemoveComponent(*this);
    self.reset();
}

void TComponent::FreeNotification(TComponent& other) {
    if (&other == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), &other) == FFreeNotifies.end()) FFreeNotifies.push_back(&other);
    if (std::find(other.FFreeNotifies.begin(), other.FFreeNotifies.end(), this) == other.FFreeNotifies.end())
        other.FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent& other) { Unlink(other); }

void TComponent::Unlink(TComponent& other) {
    std::erase(FFreeNotifies, &other);
    std::erase(other.FFreeNotifies, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) {
        if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) != FFreeNotifies.end()) Unlink(*component);
    }
    // From the last to the first, re-checking the count: a handler may remove components.
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        if (i >= ComponentCount()) continue;
        FComponents[static_cast<std::size_t>(i)]->Notification(component, operation);
    }
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }
