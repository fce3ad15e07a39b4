#pragma once
// The silver Office 2007 look of the bars: light silver gradients, darker caption bands,
// warm orange for hover, press and checked.
#include <windows.h>

#include "framework/ribbon/pixel_canvas.h"

namespace fw::theme {

// Caption and tab rows: one gradient from the top edge to the body.
inline const Gradient kTopRows = Gradient::Plain(RGB(244, 246, 249), RGB(205, 211, 220));
inline const Gradient kBody = Gradient::Plain(RGB(243, 245, 248), RGB(223, 227, 233));
inline constexpr COLORREF kBodyEdge = RGB(176, 183, 194);

inline const Gradient kTab = Gradient::Plain(RGB(255, 255, 255), RGB(243, 245, 248));
inline constexpr COLORREF kTabBorder = RGB(172, 180, 192);
inline constexpr COLORREF kTabText = RGB(36, 42, 54);

// Panel face above, caption band below (split set per panel).
inline constexpr COLORREF kPanelTop = RGB(250, 251, 252);
inline constexpr COLORREF kPanelFace = RGB(232, 235, 240);
inline constexpr COLORREF kBandTop = RGB(213, 218, 226);
inline constexpr COLORREF kBandBottom = RGB(196, 203, 213);
inline constexpr COLORREF kPanelBorder = RGB(178, 185, 196);
inline constexpr COLORREF kPanelCaption = RGB(66, 74, 88);

inline constexpr COLORREF kText = RGB(30, 36, 46);
inline constexpr COLORREF kDisabledText = RGB(150, 154, 161);
inline constexpr COLORREF kTitleText = RGB(58, 64, 76);

inline const Gradient kHot{RGB(255, 252, 232), RGB(255, 239, 184), RGB(255, 219, 117),
                           RGB(255, 237, 170), 0.42f};
inline constexpr COLORREF kHotBorder = RGB(222, 194, 112);
inline const Gradient kPressed{RGB(250, 205, 148), RGB(247, 176, 100), RGB(243, 143, 58),
                               RGB(250, 193, 112), 0.42f};
inline constexpr COLORREF kPressedBorder = RGB(166, 124, 70);
inline const Gradient kChecked{RGB(255, 230, 183), RGB(255, 214, 148), RGB(255, 194, 106),
                               RGB(255, 224, 160), 0.42f};
inline constexpr COLORREF kCheckedBorder = RGB(196, 152, 84);

inline const Gradient kCheckBox = Gradient::Plain(RGB(255, 255, 255), RGB(226, 230, 236));
inline constexpr COLORREF kCheckBoxBorder = RGB(122, 136, 156);
inline constexpr COLORREF kTick = RGB(32, 64, 128);

inline const Gradient kCloseHot = Gradient::Plain(RGB(238, 132, 112), RGB(198, 52, 36));
inline const Gradient kClosePressed = Gradient::Plain(RGB(190, 60, 44), RGB(150, 32, 20));
inline constexpr COLORREF kCloseGlyph = RGB(70, 78, 92);

inline const Gradient kOrb{RGB(253, 254, 255), RGB(224, 230, 238), RGB(196, 205, 219),
                           RGB(232, 237, 244), 0.5f};
inline constexpr COLORREF kOrbRing = RGB(118, 130, 150);

// Key tips: small pale badges with a dark frame, as Office shows them.
inline const Gradient kKeyTip = Gradient::Plain(RGB(255, 255, 255), RGB(232, 236, 242));
inline constexpr COLORREF kKeyTipBorder = RGB(84, 92, 108);

// Status bar.
inline const Gradient kStatusBar = Gradient::Plain(RGB(240, 242, 246), RGB(210, 215, 223));
inline constexpr COLORREF kStatusEdge = RGB(168, 176, 188);
inline constexpr COLORREF kStatusSeparator = RGB(180, 187, 198);
inline const Gradient kTrough = Gradient::Plain(RGB(222, 226, 232), RGB(250, 251, 252));
inline constexpr COLORREF kTroughBorder = RGB(140, 150, 166);
inline const Gradient kProgress{RGB(196, 240, 180), RGB(112, 204, 90), RGB(58, 168, 42),
                                RGB(120, 210, 96), 0.5f};

}  // namespace fw::theme
