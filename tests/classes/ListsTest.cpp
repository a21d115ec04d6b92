#include "TestComponents.h"

#include "classes/Collection.h"
#include "classes/Errors.h"
#include "classes/StringList.h"
#include "classes/WideStringList.h"

#include <gtest/gtest.h>

TEST(StringLists, SortedListIgnoringDuplicatesKeepsCaseInsensitiveOrder) {
    TStringList list(true, dupIgnore);
    EXPECT_EQ(list.Add("b.Caption"), 0);
    EXPECT_EQ(list.Add("A.Hint"), 0);
    EXPECT_EQ(list.Add("B.CAPTION"), -1);  // same line in another case
    EXPECT_EQ(list.Add("_x"), 2);          // '_' sorts after the upper-case letters
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"A.Hint", "b.Caption", "_x"}));
    EXPECT_EQ(list.IndexOf("a.hint"), 0);
    EXPECT_EQ(list.IndexOf("zz"), -1);
    EXPECT_THROW(list.Insert(0, "x"), EListError);
}

TEST(StringLists, TextSplitsAtEveryLineEndAndJoinsWithCrLf) {
    TStringList list;
    list.SetText("one\r\ntwo\nthree\rfour");
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"one", "two", "three", "four"}));
    EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.Get(0), EListError);
}

TEST(StringLists, AssignCopiesLinesAndChangeRunsOncePerUpdate) {
    TStringList source;
    source.Add("x");
    source.Add("y");
    TStringList target;
    int changes = 0;
    target.OnChange = [&](TObject*) { ++changes; };
    target.Assign(source);
    EXPECT_EQ(target.ToVector(), source.ToVector());
    EXPECT_EQ(changes, 1);

    TWideStringList wide;
    wide.Assign(source);
    EXPECT_EQ(wide.Text(), u"x\r\ny\r\n");
    wide.SetText(u"Espa\u00F1ol");
    target.Assign(wide);
    EXPECT_EQ(target.Get(0), "Espa\xF1ol");  // widened and narrowed in the ANSI code page
}

TEST(Collections, ItemsAreCreatedFromTheItemClassAndCopiedByAssign) {
    TCollection collection(TTestItem::StaticClass());
    auto& first = dynamic_cast<TTestItem&>(collection.Add());
    first.FCaption = "a";
    collection.Add();
    EXPECT_EQ(collection.Count(), 2);
    EXPECT_EQ(first.Index(), 0);
    EXPECT_EQ(collection.Items(1).Collection(), &collection);
    collection.Delete(0);
    EXPECT_EQ(collection.Count(), 1);
    EXPECT_THROW(collection.Items(1), EListError);
    EXPECT_THROW(TCollection bad(TTestSub::StaticClass()), EPropertyError);
}

TEST(Collections, AssigningACollectionCopiesEachItemsPublishedProperties) {
    TTestForm form;
    TTestControl& buddy = form.CreateComponent<TTestControl>();
    TCollection source(TTestItem::StaticClass());
    auto& item = dynamic_cast<TTestItem&>(source.Add());
    item.FCaption = "c";
    item.FWidth = 12;
    item.FBuddy = &buddy;
    TCollection target(TTestItem::StaticClass());
    target.Add();
    target.Add();
    target.Assign(source);
    ASSERT_EQ(target.Count(), 1);
    auto& copy = dynamic_cast<TTestItem&>(target.Items(0));
    EXPECT_NE(&copy, &item);
    EXPECT_EQ(copy.FCaption, "c");
    EXPECT_EQ(copy.FWidth, 12);
    EXPECT_EQ(copy.FBuddy, &buddy);
    EXPECT_EQ(copy.Collection(), &target);

    TStringList strings;
    EXPECT_THROW(target.Assign(strings), EConvertError);
}
