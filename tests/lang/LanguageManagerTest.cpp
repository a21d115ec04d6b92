// The language manager on its own modules: language list, selection, failures, constants,
// controllers in registration order, and the lock.
#include "LangTestBytes.h"
#include "LangTestComponents.h"
#include "TestModule.h"

#include "lang/LangError.h"
#include "lang/LangGuard.h"
#include "lang/Lang_CompTranslations.h"
#include "lang/LanguageController.h"
#include "lang/LanguageManager.h"
#include "platform/Exception.h"
#include "classes/Errors.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <thread>

namespace {

TBytes ConstantsStream()
{
    TBytes out{2, 1};
    PutInt32(out, 2);
    PutName(out, "cGreeting");
    PutWideText(out, u"Hello");
    PutName(out, "cLeave");
    PutWideText(out, u"Bye");
    return out;
}

TBytes FrenchText()
{
    return Utf16LeBytes(u"LANGID=1036\r\n[frmTest]\r\n1=Bonjour\r\n[$CONSTANTS]\r\ncGreeting=Salut\r\n");
}

class LanguageManagerTest : public ::testing::Test {
protected:
    LanguageManagerTest()
    {
        FProgram.Put("LANG_CONSTS", ConstantsStream());
        FProgram.Put("LNG_FRENCH", FrenchText());
        FProgram.Put("LNG_GERMAN", Utf16LeBytes(u"LANGID=1031\r\n[$CONSTANTS]\r\ncLeave=Tschuess\r\n"));
    }

    TTestModule FProgram;
};

} // namespace

TEST_F(LanguageManagerTest, CreationReadsTheConstantsAndStartsInTheDefaultLanguage)
{
    TLanguageManager manager(FProgram);
    EXPECT_EQ(manager.ActiveLanguageId(), 1033);
    EXPECT_EQ(manager.BaseLanguageId(), 1033);
    EXPECT_EQ(manager.AnsiCodePage(), 1252);
    EXPECT_EQ(manager.LanguageCount(), 1);
    EXPECT_EQ(manager.ConstantText("cGreeting"), u"Hello");
    EXPECT_EQ(manager.ConstantText("CGREETING"), u"Hello");
    try {
        manager.ConstantText("cMissing");
        FAIL();
    } catch (const ELangError& e) {
        EXPECT_STREQ(e.what(), "Constant \"cMissing\" not found");
    }
    TTestModule empty;
    TLanguageManager bare(empty);
    EXPECT_THROW(bare.ConstantText("cGreeting"), ELangError);
}

TEST_F(LanguageManagerTest, RegistrationBuildsTheLanguageList)
{
    TLanguageManager manager(FProgram);
    manager.RegisterResourceTranslation(FProgram, u"LNG_FRENCH", 1033);
    EXPECT_EQ(manager.LanguageCount(), 1) << "the default language is not registered";
    manager.RegisterResourceTranslation(FProgram, u"LNG_WRONG", 1036);
    manager.RegisterResourceTranslation(FProgram, u"LNG_GERMAN", 1031);
    manager.RegisterResourceTranslation(FProgram, u"LNG_FRENCH", 1036);
    ASSERT_EQ(manager.LanguageCount(), 3);
    EXPECT_EQ(manager.LanguageIdAt(0), 1033);
    EXPECT_EQ(manager.LanguageIdAt(1), 1036) << "re-registering keeps the place";
    EXPECT_EQ(manager.LanguageIdAt(2), 1031);
    manager.SelectLanguageIndex(1);
    EXPECT_EQ(manager.ConstantText("cGreeting"), u"Salut") << "the second name is the one read";
}

TEST_F(LanguageManagerTest, IndexesOutsideTheListFailWithTheRecordIndex)
{
    TLanguageManager manager(FProgram);
    try {
        manager.SelectLanguageIndex(1);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (0)");
    }
    manager.RegisterResourceTranslation(FProgram, u"LNG_FRENCH", 1036);
    try {
        manager.SelectLanguageIndex(2);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (1)");
    }
    try {
        manager.SelectLanguageIndex(-1);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (-2)");
    }
    EXPECT_EQ(manager.ActiveLanguageId(), 1033);
}

TEST_F(LanguageManagerTest, SelectionSetsConstantsAndReturnsToBaseTexts)
{
    TLanguageManager manager(FProgram);
    manager.RegisterResourceTranslation(FProgram, u"LNG_FRENCH", 1036);
    manager.RegisterResourceTranslation(FProgram, u"LNG_GERMAN", 1031);
    manager.SelectLanguageId(1036);
    EXPECT_EQ(manager.ActiveLanguageId(), 1036);
    EXPECT_EQ(manager.ConstantText("cGreeting"), u"Salut");
    EXPECT_EQ(manager.ConstantText("cLeave"), u"Bye") << "constants the section lacks keep their text";
    manager.SelectLanguageId(1031);
    EXPECT_EQ(manager.ConstantText("cLeave"), u"Tschuess");
    EXPECT_EQ(manager.ConstantText("cGreeting"), u"Salut") << "kept from the previous language";
    manager.SelectLanguageIndex(0);
    EXPECT_EQ(manager.ActiveLanguageId(), 1033);
    EXPECT_EQ(manager.ConstantText("cGreeting"), u"Hello");
    EXPECT_EQ(manager.ConstantText("cLeave"), u"Bye");
}

TEST_F(LanguageManagerTest, UnregisteredLanguageSelectsTheDefault)
{
    TLanguageManager manager(FProgram);
    manager.RegisterResourceTranslation(FProgram, u"LNG_FRENCH", 1036);
    manager.SelectLanguageId(1036);
    manager.SelectLanguageId(1049);
    EXPECT_EQ(manager.ActiveLanguageId(), 1033);
    EXPECT_EQ(manager.ConstantText("cGreeting"), u"Hello");
    EXPECT_EQ(manager.OpenTranslation(1033), nullptr);
    EXPECT_EQ(manager.OpenTranslation(1049), nullptr);
    EXPECT_NE(manager.OpenTranslation(1036), nullptr);
}

TEST_F(LanguageManagerTest, FailedReadsChangeNothing)
{
    TLanguageManager manager(FProgram);
    manager.RegisterResourceTranslation(FProgram, u"LNG_FRENCH", 1036);
    manager.RegisterResourceTranslation(FProgram, u"LNG_MISSING", 1031);
    FProgram.Put("LNG_BROKEN", Utf16LeBytes(u"[$CONSTANTS]\r\n9bad=x\r\n"));
    manager.RegisterResourceTranslation(FProgram, u"LNG_BROKEN", 1034);
    manager.SelectLanguageId(1036);
    try {
        manager.SelectLanguageId(1031);
        FAIL();
    } catch (const EResNotFound& e) {
        EXPECT_STREQ(e.what(), "Resource LNG_MISSING not found");
    }
    try {
        manager.SelectLanguageIndex(3);
        FAIL();
    } catch (const ELangError& e) {
        EXPECT_STREQ(e.what(), "Loading translations failed.\r\nLine 1: Invalid constant name (\"9bad\")");
    }
    EXPECT_EQ(manager.ActiveLanguageId(), 1036);
    EXPECT_EQ(manager.AnsiCodePage(), 1252);
    EXPECT_EQ(manager.ConstantText("cGreeting"), u"Salut");
    // The lock was given back: a further selection works.
    manager.SelectLanguageIndex(0);
    EXPECT_EQ(manager.ActiveLanguageId(), 1033);
}

namespace {

// A bare controller of a form built in code, for the manager's broadcast order.
struct TLoggedForm {
    explicit TLoggedForm(const std::string& name, std::vector<std::string>& log)
    {
        Form.SetName(name);
        Controller = &Form.CreateComponent<TLanguageController>();
        Controller->OnLanguageChanging = [&log, name](TObject*) { log.push_back(name + " changing"); };
        Controller->OnLanguageChanged = [&log, name](TObject*) { log.push_back(name + " changed"); };
    }
    TLangTestForm Form;
    TLanguageController* Controller;
};

} // namespace

TEST_F(LanguageManagerTest, BroadcastReachesControllersInRegistrationOrder)
{
    // Controllers register with the process's manager; broadcast through it, then restore.
    TLanguageManager& manager = LangManager();
    const int before = manager.ControllerCount();
    std::vector<std::string> log;
    {
        TLoggedForm first("frmFirst", log);
        TLoggedForm second("frmSecond", log);
        EXPECT_EQ(manager.ControllerCount(), before + 2);
        manager.BroadcastTranslation(nullptr);
        ASSERT_EQ(log.size(), 4u);
        EXPECT_EQ(log[0], "frmFirst changing");
        EXPECT_EQ(log[1], "frmFirst changed");
        EXPECT_EQ(log[2], "frmSecond changing");
        EXPECT_EQ(log[3], "frmSecond changed");
    }
    EXPECT_EQ(manager.ControllerCount(), before) << "destroyed controllers unregister";
}

TEST_F(LanguageManagerTest, ChangedEventRunsAlsoWhenTranslatingFails)
{
    TLanguageManager manager(FProgram);
    std::vector<std::string> log;
    TLoggedForm form("frmTest", log);
    auto& control = form.Form.CreateComponent<TLangTestControl>();
    control.SetName("ctlOne");
    control.SetCaption("One");
    form.Controller->Refresh(true);
    TLang_CompTranslations translation;
    translation.ReadText(Utf16LeBytes(u"[frmTest]\r\n1=refuse\r\n"), false);
    EXPECT_THROW(manager.ApplyToController(&translation, *form.Controller), EPropertyError);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "frmTest changing");
    EXPECT_EQ(log[1], "frmTest changed");

    log.clear();
    form.Controller->OnLanguageChanging = [&log](TObject*) {
        log.push_back("changing");
        throw ELangError("stop");
    };
    EXPECT_THROW(manager.ApplyToController(nullptr, *form.Controller), ELangError);
    EXPECT_EQ(log.size(), 1u) << "a failing changing handler ends the application before it starts";
}

namespace {

// Whether the steps end within five seconds on a thread of their own. A thread that hangs
// is left behind with the guard it waits on, so a deadlock fails the test instead of
// hanging it.
bool EndsInTime(std::function<void(TLangGuard&)> steps)
{
    auto guard = std::make_shared<TLangGuard>();
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> ended = done->get_future();
    std::thread([guard, done, steps] {
        steps(*guard);
        done->set_value();
    }).detach();
    return ended.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
}

} // namespace

TEST(LangGuard, ExclusiveHolderTakesItSharedAndExclusiveAgain)
{
    EXPECT_TRUE(EndsInTime([](TLangGuard& guard) {
        guard.BeginWrite();
        guard.BeginRead();
        guard.BeginWrite();
        guard.EndWrite();
        guard.EndRead();
        guard.EndWrite();
        // Free again: another thread gets it exclusively.
        std::thread other([&] {
            guard.BeginWrite();
            guard.EndWrite();
        });
        other.join();
    }));
}

TEST(LangGuard, WriterWaitsForReadersOfOtherThreads)
{
    TLangGuard guard;
    std::atomic<bool> written{false};
    guard.BeginRead();
    guard.BeginRead();
    std::thread writer([&] {
        guard.BeginWrite();
        written = true;
        guard.EndWrite();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(written);
    guard.EndRead();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(written) << "one shared hold is still taken";
    guard.EndRead();
    writer.join();
    EXPECT_TRUE(written);
}

TEST(LangGuard, ReadersShareAndTheOnlyReaderMayWrite)
{
    EXPECT_TRUE(EndsInTime([](TLangGuard& guard) {
        guard.BeginRead();
        std::thread reader([&] {
            guard.BeginRead();
            guard.EndRead();
        });
        reader.join();
        guard.BeginWrite();
        guard.EndWrite();
        guard.EndRead();
    }));
}
