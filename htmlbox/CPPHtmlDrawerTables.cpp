// Tables of CPPHtmlDrawer: structure, measured geometry and drawing.
#include <QImageReader>
#include <QPainter>
#include <algorithm>

#include "htmlbox/CPPHtmlDrawer.h"
#include "htmlbox/HtmlTableScanner.h"
#include "htmlbox/HtmlTokenizer.h"
#include "htmlbox/TableGeometry.h"

namespace qff {

namespace {

constexpr int kMaxSpan = 1000;
constexpr long long kMaxTableSlots = 1 << 20;

int SpanValue(const QString& value) {
    return std::clamp(ParseInteger(value), 1, kMaxSpan);
}

int ColSpanOf(const QString& attributes) {
    int span = 1;
    for (const auto& [name, value] : ReadAttributes(attributes)) {
        if (name == QLatin1String("colspan")) {
            span = SpanValue(value);
        }
    }
    return span;
}

int EffectNumber(const QString& value, int current) {
    static const char* const kNames[] = {"solid",      "hgradient",  "vgradient",  "hcgradient",
                                         "vcgradient", "3hgradient", "3vgradient", "noise",
                                         "diagshade",  "hshade",     "vshade",     "hbump",
                                         "vbump",      "softbump",   "hardbump",   "metal"};
    if (value == QLatin1String("transparent")) {
        return -1;
    }
    for (int i = 0; i < 16; ++i) {
        if (value == QLatin1String(kNames[i])) {
            return i;
        }
    }
    if (!value.isEmpty() && (value.at(0).isDigit() || value.at(0) == QLatin1Char('-'))) {
        return ParseInteger(value);
    }
    return current;
}

QImage LoadBackground(const QString& reference) {
    QString path = reference;
    if (!reference.isEmpty() && reference.at(0).isDigit()) {
        path = QStringLiteral(":/res/") + QString::number(ParseInteger(reference));
    }
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > CPPDrawManager::kMaxPictureSide ||
                           size.height() > CPPDrawManager::kMaxPictureSide)) {
        return QImage();
    }
    return reader.read();
}

}  // namespace

void CPPHtmlDrawer::ReadTableAttributes(const QString& attributes, bool isTable, int* colSpan,
                                        int* rowSpan) {
    TextStyle& s = m_style;
    const LengthContext context = CurrentLengthContext();
    for (const auto& [name, value] : ReadAttributes(attributes)) {
        if (isTable && name == QLatin1String("cellpadding")) {
            s.cellPadding = ParseLength(value, s.cellPadding, context);
        } else if (isTable && name == QLatin1String("cellspacing")) {
            s.cellSpacing = ParseLength(value, s.cellSpacing, context);
        } else if (isTable && name == QLatin1String("background")) {
            if (m_enabled) {
                s.backImage = value;
            }
        } else if (name == QLatin1String("rowspan")) {
            if (rowSpan != nullptr) {
                *rowSpan = SpanValue(value);
            }
        } else if (name == QLatin1String("colspan")) {
            if (colSpan != nullptr) {
                *colSpan = SpanValue(value);
            }
        } else if (name == QLatin1String("border")) {
            s.borderWidth = ParseLength(value, s.borderWidth, context);
            if (s.borderWidth == 0) {
                s.borderStyle = 0;
            } else if (s.borderStyle == 0) {
                s.borderStyle = 1;
            }
        } else if (name == QLatin1String("borderstyle")) {
            ApplyDeclaration(QStringLiteral("border-style"), value.toLower());
        } else if (name == QLatin1String("bordercolor")) {
            SetColour(s.borderLightColour, value);
            SetColour(s.borderDarkColour, value);
        } else if (name == QLatin1String("bordercolorlight")) {
            SetColour(s.borderLightColour, value);
        } else if (name == QLatin1String("bordercolordark")) {
            SetColour(s.borderDarkColour, value);
        } else if (name == QLatin1String("bgcolor")) {
            if (m_enabled && ParseColour(value, m_colourNames, s.backColour) &&
                s.backEffect == -1) {
                s.backEffect = 0;
            }
        } else if (name == QLatin1String("bgmidcolor")) {
            if (m_enabled) {
                ParseColour(value, m_colourNames, s.backMidColour);
            }
        } else if (name == QLatin1String("bgendcolor")) {
            if (m_enabled) {
                ParseColour(value, m_colourNames, s.backEndColour);
            }
        } else if (name == QLatin1String("bgeffect")) {
            if (m_enabled) {
                s.backEffect = EffectNumber(value.toLower(), s.backEffect);
            }
        } else if (name == QLatin1String("align")) {
            ApplyDeclaration(QStringLiteral("text-align"), value.toLower());
        } else if (name == QLatin1String("valign")) {
            ApplyDeclaration(QStringLiteral("vertical-align"), value.toLower());
        } else if (name == QLatin1String("width")) {
            s.boxWidth = ParseLength(value, s.boxWidth, context);
        } else if (name == QLatin1String("height")) {
            s.boxHeight = ParseLength(value, s.boxHeight, context);
        }
    }
    if (!m_enabled) {
        s.borderLightColour = s.borderDarkColour = m_disabledColour;
    }
    if (s.borderStyle == 0 || s.borderWidth == 0) {
        s.borderStyle = 0;
        s.borderWidth = 0;
    } else if (s.borderStyle != 1 || !isTable) {
        s.borderWidth = 1;
    }
}

// Saves the style under `group`, applies the rule of the same name and re-creates the font
// after `read` has applied the tag's attributes.
template <typename Read>
static void EnterStyle(std::vector<TextStyle>& stack, TextStyle& style, const QString& group,
                       Read&& read) {
    style.tagName = group;
    stack.push_back(style);
    style.tagName.clear();
    read();
}

static void LeaveStyle(std::vector<TextStyle>& stack, TextStyle& style, const QString& group) {
    // Restores the style saved under `group`, dropping whatever unbalanced style tags of
    // the cell content left above it.
    while (!stack.empty()) {
        const bool match = stack.back().tagName == group;
        style = std::move(stack.back());
        stack.pop_back();
        if (match) {
            break;
        }
    }
    style.tagName.clear();
}

QSize CPPHtmlDrawer::LayoutTable(const QString& text, int from, int to, const QRect& rect,
                                 int depth) {
    const int index = ++m_tableCounter;
    const ScannedTable scan = ScanTable(text, from, to);
    const size_t stackDepth = m_styleStack.size();

    EnterStyle(m_styleStack, m_style, QStringLiteral("table"), [&] {
        ApplyRule(QStringLiteral("table"));
        ReadTableAttributes(scan.attributes, true, nullptr, nullptr);
    });
    CreateFont();
    const TextStyle tableStyle = m_style;
    const int spacing = tableStyle.cellSpacing;
    const int frame =
        tableStyle.borderStyle == 6 ? 3 * tableStyle.borderWidth : tableStyle.borderWidth;

    int rows = static_cast<int>(scan.rows.size());
    int columns = 0;
    for (const ScannedRow& row : scan.rows) {
        long long sum = 0;
        for (const ScannedCell& cell : row.cells) {
            sum += ColSpanOf(cell.attributes);
        }
        columns =
            static_cast<int>(std::max<long long>(columns, std::min<long long>(sum, kMaxSpan)));
    }
    if (static_cast<long long>(rows) * columns > kMaxTableSlots || columns == 0) {
        rows = 0;  // nothing to lay out: frame and background only
        columns = 0;
    }

    TableLayout layout;
    if (m_measuring) {
        if (static_cast<int>(m_tables.size()) <= index) {
            m_tables.resize(index + 1);
        }
        layout.Reset(rows, columns);
    } else if (index < static_cast<int>(m_tables.size())) {
        layout = m_tables[index];
    }
    rows = layout.rows;
    columns = layout.columns;

    // Natural size; when drawing, the columns without a fixed width share what the
    // rectangle has to spare.
    auto naturalSize = [&]() {
        long long width = spacing + columns - 1 + 2LL * frame;
        long long height = spacing + rows - 1 + 2LL * frame;
        for (int w : layout.columnWidths) {
            width += w + spacing;
        }
        for (int h : layout.rowHeights) {
            height += h + spacing;
        }
        return QSize(static_cast<int>(std::clamp<long long>(width, 0, kMaxLength * 10LL)),
                     static_cast<int>(std::clamp<long long>(height, 0, kMaxLength * 10LL)));
    };

    QRect tableRect;
    if (!m_measuring) {
        QSize size = naturalSize();
        if (size.width() < rect.width()) {
            ShareExtraWidth(layout, rect.width() - size.width());
            size = naturalSize();
        }
        int left = rect.left();
        if (size.width() < rect.width()) {
            if (tableStyle.textAlign == 1) {
                left += (rect.width() - size.width()) / 2;
            } else if (tableStyle.textAlign == 2) {
                left = rect.left() + rect.width() - size.width();
            }
        }
        tableRect = QRect(left, rect.top(), size.width(), size.height());
        if (tableStyle.backEffect == -1 && !tableStyle.backImage.isEmpty()) {
            const QImage tile = LoadBackground(tableStyle.backImage);
            m_drawManager.TileBitmap(m_dc, tableRect, tile, tile.width(), tile.height());
        } else if (tableStyle.backEffect >= 0) {
            m_drawManager.FillArea(m_dc, tableRect, tableStyle.backEffect, tableStyle.backColour,
                                   tableStyle.backMidColour, tableStyle.backEndColour, 5);
        }
        if (tableStyle.borderWidth >= 1 && tableStyle.borderStyle != 0) {
            m_drawManager.StrokeFrame(m_dc, tableRect, tableStyle.borderLightColour,
                                      tableStyle.borderDarkColour, tableStyle.borderStyle,
                                      tableStyle.borderWidth);
        }
    }
    const int areaX = tableRect.left() + frame;
    const int areaY = tableRect.top() + frame;
    auto offsetOf = [spacing](const std::vector<int>& sizes, int first) {
        long long offset = spacing;
        for (int i = 0; i < first; ++i) {
            offset += sizes[i] + spacing + 1;
        }
        return static_cast<int>(std::min<long long>(offset, kMaxLength * 10LL));
    };
    auto extentOf = [spacing](const std::vector<int>& sizes, int first, int count) {
        long long extent = static_cast<long long>(count - 1) * (spacing + 1);
        for (int i = first; i < first + count; ++i) {
            extent += sizes[i];
        }
        return static_cast<int>(std::min<long long>(extent, kMaxLength * 10LL));
    };

    size_t cellOrder = 0;
    for (int r = 0; r < rows; ++r) {
        const ScannedRow& row = scan.rows[r];
        EnterStyle(m_styleStack, m_style, QStringLiteral("tr"), [&] {
            ApplyRule(QStringLiteral("tr"));
            ReadTableAttributes(row.attributes, false, nullptr, nullptr);
        });
        CreateFont();
        int nextColumn = 0;
        for (const ScannedCell& cell : row.cells) {
            int colSpan = 1;
            int rowSpan = 1;
            EnterStyle(m_styleStack, m_style, QStringLiteral("td"), [&] {
                ApplyRule(QStringLiteral("td"));
                m_style.boxWidth = 0;
                m_style.boxHeight = 0;
                ReadTableAttributes(cell.attributes, false, &colSpan, &rowSpan);
            });
            CreateFont();
            QPoint slot(-1, -1);
            if (m_measuring) {
                while (nextColumn < columns && layout.At(r, nextColumn).colSpan != 0) {
                    ++nextColumn;
                }
                if (nextColumn < columns) {
                    slot = QPoint(nextColumn, r);
                }
                layout.cellSlots.push_back(slot);
            } else if (cellOrder < layout.cellSlots.size()) {
                slot = layout.cellSlots[cellOrder];
            }
            ++cellOrder;

            const int pad = m_style.cellPadding + m_style.borderWidth;
            const int boxWidth = m_style.boxWidth;
            if (slot.x() >= 0 && m_measuring) {
                CellLayout& c = layout.At(r, slot.x());
                c.colSpan = colSpan;
                c.rowSpan = rowSpan;
                c.fixedWidth = boxWidth > 0;
                const QSize content = LayoutFlow(text, cell.contentStart, cell.contentEnd,
                                                 QRect(0, 0, boxWidth, 0), boxWidth, depth + 1);
                c.contentWidth = std::max(boxWidth, content.width());
                c.contentHeight = content.height();
                c.cellWidth = std::max(boxWidth, content.width()) + 2 * pad;
                c.cellHeight = std::max(content.height(), m_style.boxHeight) + 2 * pad;
                for (int rr = r; rr < std::min(rows, r + rowSpan); ++rr) {
                    for (int cc = slot.x(); cc < std::min(columns, slot.x() + colSpan); ++cc) {
                        CellLayout& covered = layout.At(rr, cc);
                        if ((rr != r || cc != slot.x()) && covered.colSpan == 0) {
                            covered.colSpan = covered.rowSpan = -1;
                        }
                    }
                }
            } else if (slot.x() >= 0) {
                const CellLayout& c = layout.At(slot.y(), slot.x());
                const int spanX = std::clamp(c.colSpan, 1, columns - slot.x());
                const int spanY = std::clamp(c.rowSpan, 1, rows - slot.y());
                const QRect cellRect(areaX + offsetOf(layout.columnWidths, slot.x()),
                                     areaY + offsetOf(layout.rowHeights, slot.y()),
                                     extentOf(layout.columnWidths, slot.x(), spanX),
                                     extentOf(layout.rowHeights, slot.y(), spanY));
                if (m_style.backEffect >= 0) {
                    m_drawManager.FillArea(m_dc, cellRect, m_style.backEffect, m_style.backColour,
                                           m_style.backMidColour, m_style.backEndColour, 5);
                }
                if (m_style.borderStyle != 0) {
                    m_drawManager.StrokeFrame(m_dc, cellRect, m_style.borderDarkColour,
                                              m_style.borderLightColour, m_style.borderStyle, 1);
                }
                const QRect inner = cellRect.adjusted(pad, pad, -pad, -pad);
                int top = inner.top();
                if (m_style.verticalAlign == 1) {
                    top += (inner.height() - c.contentHeight) / 2;
                } else if (m_style.verticalAlign == 2) {
                    top = inner.top() + inner.height() - c.contentHeight;
                }
                LayoutFlow(text, cell.contentStart, cell.contentEnd,
                           QRect(inner.left(), top, std::max(0, inner.width()), 0), boxWidth,
                           depth + 1);
            }
            LeaveStyle(m_styleStack, m_style, QStringLiteral("td"));
            CreateFont();
        }
        LeaveStyle(m_styleStack, m_style, QStringLiteral("tr"));
        CreateFont();
    }

    if (m_measuring) {
        ComputeSpanSizes(layout);
        m_tables[index] = layout;
    }
    const QSize size = m_measuring ? naturalSize() : tableRect.size();

    LeaveStyle(m_styleStack, m_style, QStringLiteral("table"));
    m_styleStack.resize(std::min(m_styleStack.size(), stackDepth));
    CreateFont();
    return size;
}

}  // namespace qff
