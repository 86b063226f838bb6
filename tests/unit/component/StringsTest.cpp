#include <gtest/gtest.h>

#include "controls/ComboBox.h"
#include "component/Errors.h"
#include "component/Strings.h"

using namespace velora::component;
using namespace velora::controls;
using Lines = std::vector<std::string>;

TEST(Strings, SetTextCutsAtCrLfOrCrLfAndTextJoinsWithCrLf) {
    TStringList list;
    list.SetText("a\r\nb\rc\nd");
    EXPECT_EQ(list.Lines(), (Lines{"a", "b", "c", "d"}));
    list.SetText("a\n\nb");
    EXPECT_EQ(list.Lines(), (Lines{"a", "", "b"}));
    list.SetText("a\r\r\nb");
    EXPECT_EQ(list.Lines(), (Lines{"a", "", "b"}));
    list.SetText("a\r\n");
    EXPECT_EQ(list.Lines(), (Lines{"a"}));
    list.SetText("\r\n");
    EXPECT_EQ(list.Lines(), (Lines{""}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);

    list.SetText("eins\nzwei");
    EXPECT_EQ(list.Text(), "eins\r\nzwei\r\n");
    TStringList copy;
    copy.SetText(list.Text());
    EXPECT_EQ(copy.Lines(), list.Lines());
}

TEST(Strings, ReportEachChangeAndBatchesOnce) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.Add("a");
    EXPECT_EQ(changes, 1);
    list.SetText("x\ny\nz");
    EXPECT_EQ(changes, 2);
    list.BeginUpdate();
    list.Put(0, "X");
    list.Delete(2);
    EXPECT_EQ(changes, 2);
    list.EndUpdate();
    EXPECT_EQ(changes, 3);
    list.Clear();
    list.Clear();  // already empty: no change
    EXPECT_EQ(changes, 4);
}

TEST(Strings, RefuseIndexesOutsideTheLines) {
    TStringList list;
    list.SetText("a\nb");
    EXPECT_THROW(list.Strings(-1), ListError);
    EXPECT_THROW(list.Put(2, "c"), ListError);
    EXPECT_THROW(list.Delete(-1), ListError);
    EXPECT_THROW(list.Insert(3, "c"), ListError);
    list.Insert(2, "c");
    EXPECT_EQ(list.Lines(), (Lines{"a", "b", "c"}));
    EXPECT_EQ(list.IndexOf("B"), 1);
    EXPECT_EQ(list.IndexOf("d"), -1);
}

TEST(Strings, SortedComboBoxPlacesAddedEntriesInOrderAndKeepsReplacedOnes) {
    TComboBox combo(nullptr);
    combo.SetSorted(true);
    TStrings& items = combo.Items();
    items.Add("DEU=49");
    items.Add("AUT=43");
    EXPECT_EQ(items.Add("che=41"), 1);  // without regard to case
    items.Add("BEL=32");
    EXPECT_EQ(items.Lines(), (Lines{"AUT=43", "BEL=32", "che=41", "DEU=49"}));

    items.Put(0, "\xD6sterreich +43=43");  // replaced in place, not re-sorted
    items.Put(3, "Deutschland +49=49");
    EXPECT_EQ(items[0], "\xD6sterreich +43=43");
    EXPECT_EQ(items[3], "Deutschland +49=49");

    TStringList unsorted;
    unsorted.SetText("b\na\nc");
    combo.SetItems(unsorted);  // assigned lines are added, so sorted too
    EXPECT_EQ(items.Lines(), (Lines{"a", "b", "c"}));

    combo.SetItemIndex(2);
    EXPECT_EQ(combo.ItemIndex(), 2);
    combo.SetItemIndex(3);  // outside: nothing selected
    EXPECT_EQ(combo.ItemIndex(), -1);
    combo.SetItemIndex(2);
    items.Delete(2);
    EXPECT_EQ(combo.ItemIndex(), -1);
}
