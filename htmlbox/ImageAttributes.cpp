#include "htmlbox/ImageAttributes.h"

#include <algorithm>

#include "htmlbox/HtmlTokenizer.h"

namespace qff {

std::uint32_t ParseImageStyle(const QString& letters, bool gradientShadow, bool hasShadowOffset) {
    std::uint32_t style = 0;
    for (const QChar c : letters) {
        switch (c.unicode()) {
            case 'g':
                style |= IMG_GREY;
                break;
            case 'd':
                style |= IMG_DARKEN;
                break;
            case 'l':
                style |= IMG_LIGHTEN;
                break;
            case 's':
                if (hasShadowOffset) {
                    style |= gradientShadow ? IMG_SOFT_SHADOW : IMG_SHADOW;
                }
                break;
            default:
                break;
        }
    }
    return style;
}

ImageAttributes ReadImageAttributes(const QString& attributeText, const LengthContext& context,
                                    const ColourNameMap& colourNames, bool gradientShadow,
                                    bool hasShadowOffset) {
    ImageAttributes a;
    auto sizeValue = [&](const QString& value, int& number, bool& isPercent) {
        if (value.endsWith(QLatin1Char('%'))) {
            isPercent = true;
            number = std::clamp(ParseInteger(value.left(value.size() - 1)), 0, kMaxLength);
        } else {
            isPercent = false;
            number = ParseLength(value, 0, context);
        }
    };
    for (const auto& [name, value] : ReadAttributes(attributeText)) {
        if (name == QLatin1String("index")) {
            a.index = ParseInteger(value);
        } else if (name == QLatin1String("idres")) {
            a.idres = ParseInteger(value);
        } else if (name == QLatin1String("iddll")) {
            a.iddll = ParseInteger(value);
        } else if (name == QLatin1String("handle")) {
            a.handle = ParseHandle(value);
        } else if (name == QLatin1String("cx")) {
            a.cx = ParseLength(value, 0, context);
        } else if (name == QLatin1String("cy")) {
            a.cy = ParseLength(value, 0, context);
        } else if (name == QLatin1String("speed")) {
            a.speed = ParseLength(value, 0, context);
        } else if (name == QLatin1String("file")) {
            a.file = value;
        } else if (name == QLatin1String("srcdll")) {
            a.srcdll = value;
        } else if (name == QLatin1String("mask")) {
            a.useMask = true;
            ParseColour(value, colourNames, a.maskColour);
        } else if (name == QLatin1String("style")) {
            a.style = a.hotStyle = ParseImageStyle(value, gradientShadow, hasShadowOffset);
        } else if (name == QLatin1String("hotstyle")) {
            a.hotStyle = ParseImageStyle(value, gradientShadow, hasShadowOffset);
        } else if (name == QLatin1String("width")) {
            sizeValue(value, a.width, a.widthIsPercent);
        } else if (name == QLatin1String("height")) {
            sizeValue(value, a.height, a.heightIsPercent);
        }
    }
    return a;
}

}  // namespace qff
