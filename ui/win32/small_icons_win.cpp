#include "ui/win32/small_icons_win.h"

#include "icons/small_icons.h"
#include "platform/win32/handles.h"

#include <commctrl.h>

#include <iterator>

namespace {

constexpr int kDrawnSizes[] = {SMALL_ICON_SIZES};
static_assert(SMALL_ICON_COUNT == kOpenFolderImage + 1, "the strips hold other icons");

// Where the strip is transparent.
constexpr COLORREF kMask = RGB(255, 0, 255);

// A strip at another size, pixel for pixel: scaling that blends would mix
// the transparent colour into the icons' edges.
UniqueGdi Scaled(HBITMAP strip, int drawn, int cx, int cy) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx * SMALL_ICON_COUNT;
    bi.bmiHeader.biHeight = cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueGdi scaled(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueDc from(CreateCompatibleDC(nullptr)), to(CreateCompatibleDC(nullptr));
    if (!scaled || !from || !to) return UniqueGdi();
    {
        SelectedObject source(from.get(), strip), target(to.get(), scaled.get());
        SetStretchBltMode(to.get(), COLORONCOLOR);
        StretchBlt(to.get(), 0, 0, cx * SMALL_ICON_COUNT, cy, from.get(), 0, 0,
                   drawn * SMALL_ICON_COUNT, drawn, SRCCOPY);
    }
    return scaled;
}

} // namespace

UniqueImageList LoadSmallIcons(HINSTANCE instance) {
    // They follow the display's scaling as the system's own small icons do.
    int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    // The strip drawn for this size, else the next larger one (or the
    // largest), scaled.
    int drawn = kDrawnSizes[std::size(kDrawnSizes) - 1];
    for (int size : kDrawnSizes) {
        if (size >= cx) {
            drawn = size;
            break;
        }
    }
    UniqueGdi strip(LoadImageW(instance, MAKEINTRESOURCEW(SMALL_ICONS_RESOURCE_BASE + drawn),
                               IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (strip && (drawn != cx || drawn != cy))
        strip = Scaled(static_cast<HBITMAP>(strip.get()), drawn, cx, cy);
    UniqueImageList images(ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, SMALL_ICON_COUNT, 0));
    if (strip && images)
        ImageList_AddMasked(images.get(), static_cast<HBITMAP>(strip.get()), kMask);
    return images;
}
