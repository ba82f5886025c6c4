#pragma once

#include <cstdint>

namespace qff {

// Colour effects applied to a picture before it is drawn. Grey, darken and lighten
// combine in that order; invert is applied last.
enum ImageEffectFlags : std::uint32_t {
    IMG_GREY = 0x0001,
    IMG_DARKEN = 0x0002,
    IMG_LIGHTEN = 0x0004,
    IMG_SOLID = 0x0008,
    IMG_SHADOW = 0x0100,
    IMG_SOFT_SHADOW = 0x0200,
    IMG_INVERT = 0x8000,
};

// Background fills understood by CPPDrawManager::FillArea. Any other number fills with
// the start colour.
enum FillEffect : int {
    EFFECT_SOLID = 0,
    EFFECT_HGRADIENT = 1,
    EFFECT_VGRADIENT = 2,
    EFFECT_HCGRADIENT = 3,
    EFFECT_VCGRADIENT = 4,
    EFFECT_3HGRADIENT = 5,
    EFFECT_3VGRADIENT = 6,
    EFFECT_NOISE = 7,
    EFFECT_DIAGSHADE = 8,
    EFFECT_HSHADE = 9,
    EFFECT_VSHADE = 10,
    EFFECT_HBUMP = 11,
    EFFECT_VBUMP = 12,
    EFFECT_SOFTBUMP = 13,
    EFFECT_HARDBUMP = 14,
    EFFECT_METAL = 15,
};

// Line styles of StrokeLine and StrokeFrame.
enum LineStyle : int {
    LINE_NONE = 0,
    LINE_SOLID = 1,
    LINE_DASHED = 2,
    LINE_DOTTED = 3,
    LINE_DASHDOT = 4,
    LINE_DASHDOTDOT = 5,
    LINE_DOUBLE = 6,
};

// Where and how a picture casts its drop shadow.
struct ShadowSpec {
    bool wanted = false;  // reserve room for a shadow (the picture moves when it casts none)
    int dx = 4;
    int dy = 4;
    int blurX = 7;
    int blurY = 7;
    std::uint32_t colour = 0x808080;  // ColorRef
};

}  // namespace qff
