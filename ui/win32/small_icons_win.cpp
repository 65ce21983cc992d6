#include "ui/win32/small_icons_win.h"

#include "icons/small_icons.h"

#include <commctrl.h>

#include <iterator>

namespace {

constexpr int kDrawnSizes[] = {SMALL_ICON_SIZES};
static_assert(SMALL_ICON_COUNT == kOpenFolderImage + 1, "the strips hold other icons");

// Where the strip is transparent.
constexpr COLORREF kMask = RGB(255, 0, 255);

} // namespace

UniqueImageList LoadSmallIcons(HINSTANCE instance) {
    // They follow the display's scaling as the system's own small icons do.
    int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    // The strip drawn for this size, else the next larger one (or the
    // largest), which LoadImage scales.
    int drawn = kDrawnSizes[std::size(kDrawnSizes) - 1];
    for (int size : kDrawnSizes) {
        if (size >= cx) {
            drawn = size;
            break;
        }
    }
    UniqueGdi strip(LoadImageA(instance, MAKEINTRESOURCEA(SMALL_ICONS_RESOURCE_BASE + drawn),
                               IMAGE_BITMAP, cx * SMALL_ICON_COUNT, cy, LR_CREATEDIBSECTION));
    UniqueImageList images(ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, SMALL_ICON_COUNT, 0));
    if (strip && images)
        ImageList_AddMasked(images.get(), static_cast<HBITMAP>(strip.get()), kMask);
    return images;
}
