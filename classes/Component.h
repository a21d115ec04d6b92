#pragma once

#include "classes/ComponentState.h"
#include "classes/Persistent.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A named object that owns other components. The owner holds its components (in insertion
// order) and destroys them, last first, when it is destroyed. Before a component leaves its
// owner (removed or destroyed) the owner's Notification(component, opRemove) runs, which passes
// the notice on to every owned component; components that asked FreeNotification of each other
// hear of each other's destruction too.
//
// A constructor receives the future owner so that it can look at it, but only remembers it: the
// owner takes the component with InsertComponent. CreateComponent<T>() does both.
//
// Derived classes that must see Notification for their own components while they are destroyed
// call DestroyComponents() in their destructor: the base destructor only reaches TComponent's.
class TComponent : public TPersistent {
public:
    VELTRANE_CLASS_INFO

    explicit TComponent(TComponent* owner = nullptr);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    const std::string& Name() const { return FName; }
    // Fails with EComponentError when the name is not an identifier or the owner has one so named.
    void SetName(const std::string& name);
    std::int32_t Tag() const { return FTag; }
    void SetTag(std::int32_t tag) { FTag = tag; }
    TComponentState ComponentState() const { return FComponentState; }

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const;
    // This component's position in its owner's list, -1 without owner.
    int ComponentIndex() const;
    // The owned component of that name, ASCII letter case ignored; null for an empty name or none.
    TComponent* FindComponent(std::string_view name) const;

    // Takes ownership. Fails when the component already has another owner or its name is taken.
    void InsertComponent(std::unique_ptr<TComponent> component);
    // Gives up ownership after the removal notice; fails for a component this one does not own.
    std::unique_ptr<TComponent> RemoveComponent(TComponent& component);
    // Destroys every owned component, the last first.
    void DestroyComponents();
    // Destroys this component through its owner (this is gone afterwards). Without owner it fails.
    void Free();

    // Constructs T(this, args...) and inserts it.
    template <class T, class... Args>
    T& CreateComponent(Args&&... args) {
        auto component = std::make_unique<T>(this, std::forward<Args>(args)...);
        T& result = *component;
        InsertComponent(std::move(component));
        return result;
    }

    // Both components hear of the other's destruction through Notification(other, opRemove).
    void FreeNotification(TComponent& other);
    void RemoveFreeNotification(TComponent& other);

    // The enclosing component in a form definition (a control's parent); none by default.
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual bool HasParent() const { return false; }
    virtual void SetParentComponent(TComponent* /*parent*/) {}

protected:
    // A component was inserted into or is about to be removed from the owner (or a component this
    // one watches is destroyed). The base passes owner notices on to every owned component.
    virtual void Notification(TComponent* component, TOperation operation);
    // Called once a form definition has been read completely; the base clears csLoading.
    virtual void Loaded();

    void SetComponentState(TComponentState state) { FComponentState = state; }

private:
    friend class TFormReader;

    std::unique_ptr<TComponent> Detach(TComponent& component);
    void Unlink(TComponent& other);

    TComponent* FOwner = nullptr;
    std::string FName;
    std::int32_t FTag = 0;
    TComponentState FComponentState;
    std::vector<std::unique_ptr<TComponent>> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};

// Whether a name is usable as a component name: a letter or "_", then letters, digits or "_".
bool IsValidIdent(std::string_view name);
