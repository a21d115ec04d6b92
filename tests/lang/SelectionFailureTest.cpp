// A selection that fails part-way through the controllers: the language and the constants
// have already changed, the controllers after the failing one keep their texts.
#include "LangTestComponents.h"

#include "lang/LangError.h"
#include "lang/LanguageController.h"
#include "lang/LanguageManager.h"
#include "lang/ResourceModule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TWatchedForm {
    TWatchedForm(const std::string& name, std::vector<std::string>& log)
    {
        Form.SetName(name);
        Controller = &Form.CreateComponent<TLanguageController>();
        Controller->OnLanguageChanged = [&log, name](TObject*) { log.push_back(name); };
    }
    TLangTestForm Form;
    TLanguageController* Controller;
};

} // namespace

TEST(SelectionFailure, ControllersAfterAFailingOneAreLeftWhileTheLanguageHasChanged)
{
    TLanguageManager& manager = LangManager();
    manager.SelectLanguageIndex(0);
    manager.RegisterResourceTranslation(ProgramModule(), u"LNG_SPANISH", 1034);
    std::vector<std::string> log;
    {
        TWatchedForm first("frmFirst", log);
        TWatchedForm second("frmSecond", log);
        first.Controller->OnLanguageChanging = [](TObject*) { throw ELangError("refused"); };

        EXPECT_THROW(manager.SelectLanguageId(1034), ELangError);
        EXPECT_EQ(manager.ActiveLanguageId(), 1034);
        EXPECT_EQ(manager.AnsiCodePage(), 1252);
        // The constants come before the controllers.
        EXPECT_EQ(LangConstText("cInfoEnded"), u"Listo.");
        EXPECT_TRUE(log.empty()) << "neither the failing controller's end nor a later controller ran";

        // Selecting the same language again applies nothing, so nothing fails.
        EXPECT_NO_THROW(manager.SelectLanguageId(1034));
        EXPECT_TRUE(log.empty());

        first.Controller->OnLanguageChanging = nullptr;
        manager.SelectLanguageIndex(0);
        ASSERT_EQ(log.size(), 2u);
        EXPECT_EQ(log[0], "frmFirst");
        EXPECT_EQ(log[1], "frmSecond");
        EXPECT_EQ(LangConstText("cInfoEnded"), u"Ready.");
    }
}
