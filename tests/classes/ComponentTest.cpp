#include "TestComponents.h"

#include "classes/Component.h"
#include "classes/Errors.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A component that writes its construction, notices and destruction into a shared log.
class TLogged : public TComponent {
public:
    TLogged(TComponent* owner, std::vector<std::string>* log, std::string tag)
        : TComponent(owner), FLog(log), FTagText(std::move(tag)) {}
    ~TLogged() override {
        FLog->push_back("~" + FTagText);
        DestroyComponents();
    }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        FLog->push_back(FTagText + (operation == opRemove ? " -" : " +") + component->Name() +
                        (component->ComponentState().Contains(csDestroying) ? "!" : ""));
    }

private:
    std::vector<std::string>* FLog;
    std::string FTagText;
};

std::vector<std::string> Only(const std::vector<std::string>& log, char first) {
    std::vector<std::string> result;
    for (const std::string& line : log)
        if (!line.empty() && line[0] == first) result.push_back(line);
    return result;
}

}  // namespace

TEST(ComponentOwnership, OwnedComponentsKeepInsertionOrderAndKnowTheirOwner) {
    TComponent owner;
    TComponent& a = owner.CreateComponent<TComponent>();
    TComponent& b = owner.CreateComponent<TComponent>();
    auto c = std::make_unique<TComponent>();
    TComponent* cRaw = c.get();
    owner.InsertComponent(std::move(c));

    ASSERT_EQ(owner.ComponentCount(), 3);
    EXPECT_EQ(owner.Components(0), &a);
    EXPECT_EQ(owner.Components(1), &b);
    EXPECT_EQ(owner.Components(2), cRaw);
    EXPECT_EQ(cRaw->Owner(), &owner);
    EXPECT_EQ(b.ComponentIndex(), 1);
    EXPECT_EQ(owner.ComponentIndex(), -1);
    EXPECT_THROW(owner.Components(3), EListError);
}

TEST(ComponentOwnership, OwnerDestroysItsComponentsLastFirstAndDepthFirst) {
    std::vector<std::string> log;
    {
        auto root = std::make_unique<TLogged>(nullptr, &log, "root");
        TLogged& a = root->CreateComponent<TLogged>(&log, "a");
        a.CreateComponent<TLogged>(&log, "a1");
        root->CreateComponent<TLogged>(&log, "b");
    }
    EXPECT_EQ(Only(log, '~'), (std::vector<std::string>{"~root", "~b", "~a", "~a1"}));
}

TEST(ComponentOwnership, RemoveGivesOwnershipBackAndFreeDestroysThroughOwner) {
    std::vector<std::string> log;
    TComponent owner;
    TLogged& a = owner.CreateComponent<TLogged>(&log, "a");
    TComponent& b = owner.CreateComponent<TComponent>();
    std::unique_ptr<TComponent> taken = owner.RemoveComponent(a);
    EXPECT_EQ(taken.get(), &a);
    EXPECT_EQ(a.Owner(), nullptr);
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_TRUE(Only(log, '~').empty());

    TComponent stranger;
    EXPECT_THROW(stranger.RemoveComponent(b), EComponentError);
    EXPECT_THROW(stranger.Free(), EComponentError);

    b.Free();
    EXPECT_EQ(owner.ComponentCount(), 0);
    taken.reset();
    EXPECT_EQ(Only(log, '~'), std::vector<std::string>{"~a"});
}

TEST(ComponentOwnership, InsertRefusesForeignOwnedAndCyclicComponents) {
    TComponent first;
    TComponent second;
    auto remembered = std::make_unique<TComponent>(&first);  // constructed for first, not yet inserted
    EXPECT_THROW(second.InsertComponent(std::move(remembered)), EComponentError);

    auto outer = std::make_unique<TComponent>();
    TComponent& inner = outer->CreateComponent<TComponent>();
    EXPECT_THROW(inner.InsertComponent(std::move(outer)), EComponentError);
}

TEST(ComponentNames, FindComponentIgnoresAsciiCaseOnly) {
    TComponent owner;
    TComponent& button = owner.CreateComponent<TComponent>();
    button.SetName("btnAcept");
    owner.CreateComponent<TComponent>();  // unnamed

    EXPECT_EQ(owner.FindComponent("BTNACEPT"), &button);
    EXPECT_EQ(owner.FindComponent("btnacept"), &button);
    EXPECT_EQ(owner.FindComponent("btnAcep"), nullptr);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
}

TEST(ComponentNames, InvalidAndDuplicateNamesAreRefused) {
    TComponent owner;
    TComponent& a = owner.CreateComponent<TComponent>();
    TComponent& b = owner.CreateComponent<TComponent>();
    a.SetName("Label1");
    try {
        b.SetName("1abc");
        FAIL() << "digit first";
    } catch (const EComponentError& e) {
        EXPECT_STREQ(e.what(), "'1abc' is not a valid component name");
    }
    EXPECT_THROW(b.SetName("a b"), EComponentError);
    EXPECT_THROW(b.SetName("Espa\xF1ol"), EComponentError);
    try {
        b.SetName("LABEL1");
        FAIL() << "duplicate";
    } catch (const EComponentError& e) {
        EXPECT_STREQ(e.what(), "A component named LABEL1 already exists");
    }
    EXPECT_EQ(b.Name(), "");
    a.SetName("LABEL1");  // renaming itself in another case is allowed
    EXPECT_EQ(a.Name(), "LABEL1");
    b.SetName("_x9");
    EXPECT_EQ(b.Name(), "_x9");

    auto named = std::make_unique<TComponent>();
    named->SetName("label1");
    EXPECT_THROW(owner.InsertComponent(std::move(named)), EComponentError);
}

TEST(ComponentNotifications, RemovalIsAnnouncedToEveryOwnedComponentIncludingNestedOnes) {
    std::vector<std::string> log;
    auto root = std::make_unique<TLogged>(nullptr, &log, "root");
    TLogged& a = root->CreateComponent<TLogged>(&log, "a");
    a.SetName("a");
    TLogged& nested = a.CreateComponent<TLogged>(&log, "nested");
    nested.SetName("nested");
    TLogged& b = root->CreateComponent<TLogged>(&log, "b");
    b.SetName("b");
    log.clear();

    root->RemoveComponent(b).reset();
    // The owner passes the notice to each owned component, last first (b itself included) and to
    // what they own, then acts on it itself; only then is b destroyed.
    EXPECT_EQ(log, (std::vector<std::string>{"b -b", "nested -b", "a -b", "root -b", "~b"}));
}

TEST(ComponentNotifications, InsertIsAnnounced) {
    std::vector<std::string> log;
    TLogged root(nullptr, &log, "root");
    TLogged& a = root.CreateComponent<TLogged>(&log, "a");
    auto b = std::make_unique<TComponent>();
    b->SetName("b");
    log.clear();
    root.InsertComponent(std::move(b));
    EXPECT_EQ(log, (std::vector<std::string>{"a +b", "root +b"}));
    (void)a;
}

TEST(ComponentNotifications, DestroyingTheOwnerStillWarnsRemainingSiblings) {
    std::vector<std::string> log;
    {
        TLogged root(nullptr, &log, "root");
        root.CreateComponent<TLogged>(&log, "a").SetName("a");
        root.CreateComponent<TLogged>(&log, "b").SetName("b");
        log.clear();
    }
    // b goes first; a, still alive, hears of it. a hears of its own removal.
    EXPECT_EQ(log, (std::vector<std::string>{"~root", "b -b", "a -b", "root -b", "~b", "a -a", "root -a", "~a"}));
}

TEST(ComponentNotifications, FreeNotificationReachesNonOwnersBothWaysAndIsDroppedWhenEitherDies) {
    std::vector<std::string> log;
    auto watcher = std::make_unique<TLogged>(nullptr, &log, "watcher");
    auto watched = std::make_unique<TLogged>(nullptr, &log, "watched");
    watched->SetName("watched");
    watcher->SetName("watcher");
    watched->FreeNotification(*watcher);
    log.clear();
    watched.reset();
    EXPECT_EQ(log, (std::vector<std::string>{"~watched", "watcher -watched!"}));

    // Watcher destroyed first: the watched one must not notify a dead component later.
    auto other = std::make_unique<TLogged>(nullptr, &log, "other");
    other->FreeNotification(*watcher);
    watcher.reset();
    log.clear();
    other.reset();
    EXPECT_EQ(log, std::vector<std::string>{"~other"});
}

TEST(ComponentNotifications, RemoveFreeNotificationStopsTheNotice) {
    std::vector<std::string> log;
    TLogged watcher(nullptr, &log, "watcher");
    auto watched = std::make_unique<TLogged>(nullptr, &log, "watched");
    watched->FreeNotification(watcher);
    watched->RemoveFreeNotification(watcher);
    log.clear();
    watched.reset();
    EXPECT_EQ(log, std::vector<std::string>{"~watched"});
}

TEST(ComponentState, RunTimeComponentsAreNeverDesigningAndStartWithoutFlags) {
    TComponent owner;
    TComponent& child = owner.CreateComponent<TComponent>();
    EXPECT_TRUE(owner.ComponentState().Empty());
    EXPECT_FALSE(child.ComponentState().Contains(csDesigning));
    child.SetTag(-5);
    EXPECT_EQ(child.Tag(), -5);
}

TEST(ComponentState, ConstructorSeesItsFutureOwner) {
    TTestForm form;
    TTestControl& control = form.CreateComponent<TTestControl>();
    EXPECT_EQ(control.FLog, &form.Log);  // set from the owner passed to the constructor
}
