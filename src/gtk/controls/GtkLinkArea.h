#pragma once
// The link label's widget: a drawing area that takes the focus link by link
// and whose accessible exposes the label's text and each link as a child of
// its own (role link, focusable, with a "click" action), so a screen reader
// reads the text, follows the focus from link to link and opens a link.
// What it shows comes from a LinkAreaContent, the link label's peer.

#include <string>

typedef struct _GtkWidget GtkWidget;

namespace velora::gtk {

class LinkAreaContent {
public:
    virtual ~LinkAreaContent() = default;
    // Texts in UTF-8: the label's text without markup, and a link's text.
    virtual std::string ShownText() const = 0;
    virtual int LinkCount() const = 0;
    virtual std::string LinkText(int link) const = 0;
    // The link that has the focus while the widget has it; -1 for none.
    virtual int FocusedLink() const = 0;
    // The focus arrives (going forward or back); false when there is no
    // link to take it.
    virtual bool EnterFocus(bool forward) = 0;
    // Tab inside the label: false when the focus leaves it.
    virtual bool MoveFocus(bool forward) = 0;
    virtual void ActivateLink(int link) = 0;
};

// A new (floating) drawing area showing `content`, which stays until
// DetachLinkArea.
GtkWidget* NewLinkArea(LinkAreaContent& content);
void DetachLinkArea(GtkWidget* area);
// A new caption: the links' accessibles are built anew.
void LinkAreaLinksChanged(GtkWidget* area);
// The focus moved to another link, or came or went: screen readers hear it.
void LinkAreaFocusChanged(GtkWidget* area);

}  // namespace velora::gtk
