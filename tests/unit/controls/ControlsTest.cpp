#include <gtest/gtest.h>

#include "controls/Button.h"
#include "component/Collection.h"
#include "controls/Edit.h"
#include "controls/Form.h"
#include "controls/linklabel/LinkLabel.h"
#include "controls/ProgressBar.h"
#include "controls/RadioGroup.h"
#include "support/RecordingPeer.h"

using namespace velora::component;
using namespace velora::controls;

namespace {

class TColumn : public TCollectionItem {
public:
    static const ClassInfo& StaticClass() {
        static const ClassInfo info{"TColumn", &TCollectionItem::StaticClass(), {
            Prop::Integer("Width", &TColumn::Width, &TColumn::SetWidth),
        }};
        return info;
    }
    const ClassInfo& Class() const override { return StaticClass(); }

    int Width() const { return width_; }
    void SetWidth(int width) {
        width_ = width;
        Changed();
    }

private:
    int width_ = 50;
};

}  // namespace

TEST(Collections, ItemsAreReachedByIndexWithTheirProperties) {
    TCollection columns([] { return std::make_unique<TColumn>(); });
    int changes = 0;
    columns.OnChange = [&] { ++changes; };
    columns.Add();
    columns.Add();
    columns.Add();
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(HasClassInChain(&columns, "TCollection"));

    TCollectionItem& second = columns.Items(1);
    EXPECT_EQ(second.Index(), 1);
    EXPECT_EQ(second.ClassName(), "TColumn");
    FindProperty(second, "width")->SetInteger(second, 120);
    EXPECT_EQ(static_cast<TColumn&>(columns.Items(1)).Width(), 120);
    EXPECT_EQ(changes, 4);
    EXPECT_THROW(columns.Items(3), ListError);
    EXPECT_THROW(columns.Items(-1), ListError);

    columns.Delete(0);
    EXPECT_EQ(second.Index(), 0);
}

TEST(RadioGroup, ClickRunsWhenTheSelectionChanges) {
    TRadioGroup radio(nullptr);
    radio.Items().SetText("deutsch\nenglisch");
    int clicks = 0;
    radio.OnClick = [&](TComponent* sender) {
        EXPECT_EQ(sender, &radio);
        ++clicks;
    };
    radio.SetItemIndex(1);
    EXPECT_EQ(clicks, 1);
    radio.SetItemIndex(1);
    radio.SetItemIndex(5);  // beyond the last: the last, which is selected already
    EXPECT_EQ(radio.ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
    radio.SetItemIndex(-3);
    EXPECT_EQ(radio.ItemIndex(), -1);
    EXPECT_EQ(clicks, 2);

    radio.SetItemIndex(1);
    radio.Items().Delete(1);  // the selection follows the shrinking list without a click
    EXPECT_EQ(radio.ItemIndex(), 0);
    EXPECT_EQ(clicks, 3);
}

TEST(Forms, ModalShowingEndsWithTheResultOfTheButtonPressed) {
    TForm form(nullptr);
    RecordingPeer peer;
    form.SetPeer(&peer);
    auto* ok = CreateComponent<TButton>(form, "buttonOk");
    ok->SetParent(&form);
    ok->SetModalResult(mrOk);
    int shown = 0, hidden = 0;
    form.OnShow = [&](TComponent*) { ++shown; };
    form.OnHide = [&](TComponent*) { ++hidden; };
    peer.duringModal = [&](TForm& showing) {
        EXPECT_TRUE(showing.Visible());
        EXPECT_TRUE(showing.Modal());
        EXPECT_THROW(showing.ShowModal(), ComponentError);
        ok->Click();
    };

    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(form.Modal());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(hidden, 1);
    ASSERT_EQ(peer.broughtToFront.size(), 1u);

    // OnClose can refuse: caNone keeps the form open.
    form.OnClose = [](TComponent*, TCloseAction& action) { action = caNone; };
    form.Show();
    EXPECT_EQ(form.Close(), caNone);
    EXPECT_TRUE(form.Visible());
    form.SetModalResult(mrOk);
    EXPECT_FALSE(form.CloseModal());
    EXPECT_EQ(form.ModalResult(), mrNone);
    form.OnClose = nullptr;
    EXPECT_EQ(form.Close(), caHide);
    EXPECT_FALSE(form.Visible());
}

TEST(Forms, AButtonOutsideAnyParentSetsTheResultOfTheFormOwningIt) {
    TForm form(nullptr);
    auto* cancel = CreateComponent<TButton>(form, "buttonCancel");
    cancel->SetModalResult(mrCancel);
    int clicks = 0;
    cancel->OnClick = [&](TComponent*) { ++clicks; };
    cancel->Click();
    EXPECT_EQ(form.ModalResult(), mrCancel);
    EXPECT_EQ(clicks, 1);
}

TEST(Forms, AFailingOnShowIsReportedAndTheFormShownAllTheSame) {
    TForm form(nullptr);
    RecordingPeer peer;
    form.SetPeer(&peer);
    form.OnShow = [](TComponent*) { throw std::runtime_error("'x' is not a valid integer value"); };
    form.Show();
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(peer.errors, std::vector<std::string>{"'x' is not a valid integer value"});

    TForm withoutPeer(nullptr);
    withoutPeer.OnShow = form.OnShow;
    EXPECT_THROW(withoutPeer.Show(), std::runtime_error);
}

TEST(Edit, TypedKeysPassOnKeyPressAndMaxLength) {
    TEdit edit(nullptr);
    edit.SetMaxLength(3);
    edit.OnKeyPress = [](TComponent*, char& key) {
        if (!(key >= '0' && key <= '9') && key != 8) key = 0;
    };
    for (char key : std::string("1a2+ 34")) edit.TypeKey(key);
    EXPECT_EQ(edit.Text(), "123");
    EXPECT_TRUE(edit.TypeKey(8));
    EXPECT_EQ(edit.Text(), "12");
    edit.SetText("12345");  // the program's own text is not cut
    EXPECT_EQ(edit.Text(), "12345");
}

TEST(LinkLabel, CaptionAndTextLinesFollowEachOtherOneWay) {
    TLinkLabel link(nullptr);
    int captionChanges = 0;
    link.OnCaptionChanged = [&](TComponent*) { ++captionChanges; };
    link.SetCaption("Jetzt bei VELORA <link>registrieren</link>");
    link.SetCaption("Jetzt bei VELORA <link>registrieren</link>");
    EXPECT_EQ(captionChanges, 1);
    EXPECT_EQ(link.Text().Lines(), std::vector<std::string>{"Jetzt bei VELORA <link>registrieren</link>"});

    TStringList lines;
    lines.SetText("eins\nzwei");
    link.SetText(lines);
    EXPECT_EQ(link.Caption(), "eins\r\nzwei\r\n");
    EXPECT_EQ(link.Text().Count(), 1);  // the caption is the one line

    link.Text().Put(0, "drei");  // in place: the caption stays
    EXPECT_EQ(link.Caption(), "eins\r\nzwei\r\n");
    EXPECT_EQ(captionChanges, 2);
}

TEST(ProgressBar, PositionStaysWithinTheRange) {
    TProgressBar progress(nullptr);
    progress.SetMax(1000);
    progress.SetPosition(1500);
    EXPECT_EQ(progress.Position(), 1000);
    progress.SetMax(200);  // a smaller range moves the position back inside
    EXPECT_EQ(progress.Position(), 200);
    progress.SetMax(-1);   // an unknown total size: the range is empty
    progress.SetPosition(50);
    EXPECT_EQ(progress.Position(), 0);
}
