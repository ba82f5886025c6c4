#pragma once

#include <QString>
#include <cstdint>

#include "htmlbox/ColorRef.h"
#include "htmlbox/HtmlColourNames.h"
#include "htmlbox/HtmlValues.h"
#include "htmlbox/ImageEffects.h"

namespace qff {

// The attributes of a bmp, icon or ilst tag, with their defaults.
struct ImageAttributes {
    int index = 0;
    int idres = 0;
    int iddll = 0;
    std::uint64_t handle = 0;  // key of a picture registered with the drawer
    int cx = 0;
    int cy = 0;
    int width = 100;
    bool widthIsPercent = true;
    int height = 100;
    bool heightIsPercent = true;
    int speed = 0;
    std::uint32_t style = 0;
    std::uint32_t hotStyle = 0;
    bool useMask = false;
    ColorRef maskColour = 0xFF00FF;
    QString file;
    QString srcdll;
};

// Effect flags of a picture style: "g" grey, "d" darken, "l" lighten, "s" a shadow (soft
// with `gradientShadow`, none when the drawer's shadow offsets are both 0).
std::uint32_t ParseImageStyle(const QString& letters, bool gradientShadow, bool hasShadowOffset);

// Reads the attributes of a bmp, icon or ilst tag. Numbers and lengths are clamped as
// everywhere in the markup; "width" and "height" ending in "%" are percentages.
ImageAttributes ReadImageAttributes(const QString& attributeText, const LengthContext& context,
                                    const ColourNameMap& colourNames, bool gradientShadow,
                                    bool hasShadowOffset);

}  // namespace qff
