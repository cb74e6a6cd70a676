// The names the program that links the graphics control exports: getVersion
// and the 59 cmd_* operations (GFX_EXPORTS), and with the command language
// also graphicCommand.
#pragma once

constexpr const char* GFX_EXPORTS[] = {
    "getVersion", "cmd_color", "cmd_backColor", "cmd_size", "cmd_style", "cmd_rule",
    "cmd_font", "cmd_autoSize", "cmd_anchorX", "cmd_anchorXY", "cmd_anchorY",
    "cmd_autoSizeOff", "cmd_line", "cmd_box", "cmd_boxFilled", "cmd_circle",
    "cmd_circleFilled", "cmd_ellipse", "cmd_ellipseFilled", "cmd_pie", "cmd_pieFilled",
    "cmd_poly", "cmd_polyFilled", "cmd_setPixel", "cmd_getPixel", "cmd_cls", "cmd_fill",
    "cmd_floodFill", "cmd_text", "cmd_textFilled", "cmd_getTextW", "cmd_getTextH",
    "cmd_horzScroll", "cmd_vertScroll", "cmd_horzScrollOff", "cmd_vertScrollOff",
    "cmd_getScrollWidth", "cmd_getScrollHeight", "cmd_getScrollXPos", "cmd_getScrollYPos",
    "cmd_scrollToX", "cmd_scrollToY", "cmd_scrollToCenterX", "cmd_scrollToCenterY",
    "cmd_flip", "cmd_DrawStatusText", "cmd_wmPrint", "cmd_drawFrameControl", "cmd_drawEdge",
    "cmd_getBmp", "cmd_drawBmp", "cmd_drawBmpStretch", "cmd_transBmp", "cmd_transStretchBmp",
    "cmd_unloadBmp", "cmd_getBmpW", "cmd_getBmpH", "cmd_getRotatedBmp", "cmd_brightness",
    "cmd_invert"};
static_assert(sizeof(GFX_EXPORTS) / sizeof(GFX_EXPORTS[0]) == 60, "getVersion and 59 operations");
constexpr const char LANG_EXPORT[] = "graphicCommand";
