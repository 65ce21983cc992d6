#include "fixture.h"

namespace {

struct Expected {
    uint8_t code;
    const char* title;
    const char* text;
};

TEST(ErrorMessages, EveryCodeTextTitleAndFlags) {
    const Expected table[] = {
        {1, "ERROR!", "This Letter, \"e\", is already assigned to a Folder!"},
        {2, "ERROR!", "This feature is not supported at this\r\ntime on your Operating System."},
        {3, "ERROR!", "You need to select a Virtual Drive Letter!"},
        {4, "ERROR!", "No Path selected!"},
        {5, "ERROR!", "Path not found!"},
        {6, "ERROR!", "This Letter, \"e\", is in use!"},
        {10, "Wrong Operating System",
         "CD ROM drives are not supported for the Windows 98 family!"},
        {11, "ERROR!",
         "An unknown error occured, try your operation again!\r\nIf the problem persists let us "
         "know."},
        {12, "ERROR!", "MWL does not work with network drives!"},
    };
    App app;
    app.Start();
    app.f.Ltr = "e"; // shown in the case the caller left it
    for (const Expected& e : table) {
        app.w.pointer = kPointerHourglass;
        app.f.ShowErrorMessage(e.code);
        EXPECT_EQ(app.LastBox().text, e.text) << int(e.code);
        EXPECT_EQ(app.LastBox().title, e.title) << int(e.code);
        EXPECT_EQ(app.LastBox().flags, 16) << int(e.code);
        EXPECT_EQ(app.w.pointer, kPointerDefault) << int(e.code);
    }
}

} // namespace
