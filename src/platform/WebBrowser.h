#pragma once
// The embedded web browser as the main window and the language switch use it.

#include <string>

namespace velora::platform {

class WebBrowser {
public:
    virtual ~WebBrowser() = default;
    // Starts a navigation and returns at once; the text is converted to the
    // browser's wide string.
    virtual void Navigate(const std::string& url) = 0;
    // The address the browser shows now; empty before the first navigation.
    virtual std::string LocationUrl() const = 0;
    virtual bool Busy() const = 0;
    // The page's zoom in percent; kept for the pages to come, also by a
    // browser that shows none yet.
    virtual void SetZoom(int percent) = 0;
};

}  // namespace velora::platform
