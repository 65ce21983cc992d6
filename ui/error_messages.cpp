// The numbered error messages: one table, one routine.
#include "ui/frmMWL_Pro.h"

namespace {

struct ErrorMessage {
    uint8_t code;
    bool letterPhrase; // the text follows: This Letter, "E"
    const char* title;
    const char* text;
};

// The address that ends message 255.
#define CONTACT_PAGE "www.quillonsoftware.com/contact"

constexpr ErrorMessage kErrorMessages[] = {
    {1, true, "ERROR!", ", is already assigned to a Folder!"},
    {2, false, "ERROR!", "This feature is not supported at this\r\ntime on your Operating System."},
    {3, false, "ERROR!", "You need to select a Virtual Drive Letter!"},
    {4, false, "ERROR!", "No Path selected!"},
    {5, false, "ERROR!", "Path not found!"},
    {6, true, "ERROR!", ", is in use!"},
    {10, false, "Wrong Operating System",
     "CD ROM drives are not supported for the Windows 98 family!"},
    {11, false, "ERROR!",
     "An unknown error occured, try your operation again!\r\nIf the problem persists let us "
     "know."},
    {12, false, "ERROR!", "MWL does not work with network drives!"},
    {255, false, "ERROR!",
     "There is a missing or corrupt file! Remove and reinstall the software, \r\nif the problem "
     "persists e-mail us at " CONTACT_PAGE "!"},
};

} // namespace

void frmMWL_Pro::ShowErrorMessage(uint8_t code) {
    std::string title = "ERROR!";
    std::string text;
    for (const ErrorMessage& m : kErrorMessages) {
        if (m.code != code) continue;
        title = m.title;
        text = m.letterPhrase ? "This Letter, " + Quote + Ltr + Quote + m.text : m.text;
    }
    w_.MsgBox(text, mbCritical, title);
    w_.SetMousePointer(kPointerDefault);
}
