// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PdfDevice.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <unordered_map>
#include <vector>

#include <QPaintEngine>
#include <QPainterPath>
#include <QRawFont>
#include <QTextItem>

#include "pdf/pdf_document.h"

namespace print {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kPointsPerInch = 72;

// The tables a TrueType subset is built from; Qt hands them out by tag.
pdf::FontTables fontTables(const QRawFont& raw)
{
    pdf::FontTables tables;
    for (const char* tag : {"head", "hhea", "maxp", "hmtx", "loca", "glyf", "cvt ", "fpgm", "prep"}) {
        const QByteArray data = raw.fontTable(tag);
        if (!data.isEmpty()) tables[tag] = data.toStdString();
    }
    return tables;
}

bool isAscii(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() > 0x7E || c.unicode() < 0x21) return false;
    return !s.isEmpty();
}

}  // namespace

// Writes what QPainter hands it straight into the page's content stream, in device dots
// (the page's first operator turns dots into points and puts y downwards).
class PdfPaintEngine : public QPaintEngine {
public:
    PdfPaintEngine(int dpi, std::function<void(std::string_view)> write)
        : QPaintEngine(QPaintEngine::AllFeatures), dpi_(dpi), document_(std::move(write))
    {
    }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void startPage(double widthMm, double heightMm)
    {
        closePage();
        const double heightPt = heightMm / kMmPerInch * kPointsPerInch;
        const double s = kPointsPerInch / dpi_;
        content_ = &document_.beginPage(widthMm / kMmPerInch * kPointsPerInch, heightPt);
        content_->num(s).num(0).num(0).num(-s).num(0).num(heightPt).op("cm\n");
        pageOpen_ = true;
        emitted_ = Emitted();
        inText_ = false;
        penDirty_ = true;
        pageFonts_.clear();
        lastFace_ = nullptr;  // so that the next text names its font on this page too
    }

    void closePage()
    {
        if (!pageOpen_) return;
        endText();
        document_.endPage(pageFonts_);
        content_ = nullptr;
        pageOpen_ = false;
    }

    std::string finish(const std::string& title, const std::string& creator)
    {
        closePage();
        if (!fontError_.empty()) return fontError_;
        return document_.finish(title, creator);
    }

    void updateState(const QPaintEngineState& state) override
    {
        const DirtyFlags flags = state.state();
        if (flags & (DirtyPen | DirtyTransform)) penDirty_ = true;
        if (flags & DirtyPen) pen_ = state.pen();
        if (flags & DirtyBrush) brush_ = state.brush();
        if (flags & DirtyTransform) setTransform(state.transform());
    }

    void drawLines(const QLineF* lines, int count) override
    {
        if (!pageOpen_ || !stroking()) return;
        QPointF last(qQNaN(), qQNaN());
        for (int i = 0; i < count; ++i) {
            const QPointF a = map(lines[i].p1()), b = map(lines[i].p2());
            // A point at no finite place has no line to it; drawing it at 0 would be a stray line.
            if (!finite(a) || !finite(b)) continue;
            if (std::isnan(last.x())) {  // the first line drawn
                endText();
                strokeState();
            }
            // A line that goes on from where the last one ended continues its path.
            if (a != last) point(a, "m\n");
            point(b, "l\n");
            last = b;
        }
        if (!std::isnan(last.x())) content_->op("S\n");
    }

    void drawLines(const QLine* lines, int count) override
    {
        const std::vector<QLineF> real(lines, lines + std::max(count, 0));
        drawLines(real.data(), count);
    }

    void drawRects(const QRectF* rects, int count) override
    {
        if (!pageOpen_) return;
        for (int i = 0; i < count; ++i) {
            QPainterPath path;
            path.addRect(rects[i]);
            drawPath(path);
        }
    }

    void drawRects(const QRect* rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QRectF r(rects[i]);
            drawRects(&r, 1);
        }
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        if (count < 2) return;
        QPainterPath path(points[0]);
        for (int i = 1; i < count; ++i) path.lineTo(points[i]);
        if (mode != PolylineMode) path.closeSubpath();
        path.setFillRule(mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
        const QBrush kept = brush_;
        if (mode == PolylineMode) brush_ = Qt::NoBrush;
        drawPath(path);
        brush_ = kept;
    }

    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override
    {
        QList<QPointF> real;
        real.reserve(count);
        for (int i = 0; i < count; ++i) real.append(QPointF(points[i]));
        drawPolygon(real.constData(), count, mode);
    }

    void drawPath(const QPainterPath& path) override
    {
        if (!pageOpen_ || path.isEmpty()) return;
        // Each point mapped once: a sheet's arcs are paths of thousands of curves.
        const int n = path.elementCount();
        pathPoints_.clear();
        for (int i = 0; i < n; ++i) {
            const QPainterPath::Element& e = path.elementAt(i);
            pathPoints_.push_back(map(QPointF(e.x, e.y)));
            if (!finite(pathPoints_.back())) return;
        }
        const bool fill = brush_.style() != Qt::NoBrush, stroke = stroking();
        if (!fill && !stroke) return;
        endText();
        if (stroke) strokeState();
        if (fill) fillColour(brush_.color().rgb());
        int start = -1;
        auto closeIfBack = [&](int lastIndex) {
            if (start >= 0 && path.elementAt(start).x == path.elementAt(lastIndex).x &&
                path.elementAt(start).y == path.elementAt(lastIndex).y)
                content_->op("h\n");
        };
        for (int i = 0; i < n; ++i) {
            const QPointF at = pathPoints_[static_cast<size_t>(i)];
            switch (path.elementAt(i).type) {
            case QPainterPath::MoveToElement:
                if (i > 0) closeIfBack(i - 1);
                point(at, "m\n");
                start = i;
                break;
            case QPainterPath::LineToElement: point(at, "l\n"); break;
            case QPainterPath::CurveToElement:
                if (i + 2 >= n) return;  // a path Qt made is never cut short
                point(at, "");
                point(pathPoints_[static_cast<size_t>(i) + 1], "");
                point(pathPoints_[static_cast<size_t>(i) + 2], "c\n");
                i += 2;
                break;
            default: break;
            }
        }
        closeIfBack(n - 1);
        const bool evenOdd = path.fillRule() == Qt::OddEvenFill;
        content_->op(fill && stroke ? (evenOdd ? "B*\n" : "B\n") : fill ? (evenOdd ? "f*\n" : "f\n") : "S\n");
    }

    // Four Bezier quarters through whole dots (a fiftieth of a millimetre at 1200 dpi), written
    // straight into the page: a sheet has tens of thousands of bar sections.
    void drawEllipse(const QRectF& box) override
    {
        if (!pageOpen_ || box.isEmpty()) return;
        const bool fill = brush_.style() != Qt::NoBrush, stroke = stroking();
        if (!fill && !stroke) return;
        constexpr double kQuarter = 0.5522847498;  // control distance of a quarter circle, in radii
        const QPointF c = box.center();
        const double rx = box.width() / 2, ry = box.height() / 2, kx = kQuarter * rx, ky = kQuarter * ry;
        const QPointF points[13] = {{rx, 0},   {rx, -ky}, {kx, -ry}, {0, -ry},  {-kx, -ry}, {-rx, -ky}, {-rx, 0},
                                    {-rx, ky}, {-kx, ry}, {0, ry},   {kx, ry},  {rx, ky},   {rx, 0}};
        QPointF mapped[13];
        for (int i = 0; i < 13; ++i) {
            const QPointF p = map(c + points[i]);
            if (!finite(p)) return;
            mapped[i] = {wholeDot(p.x()), wholeDot(p.y())};
        }
        endText();
        if (stroke) strokeState();
        if (fill) fillColour(brush_.color().rgb());
        point(mapped[0], "m\n");
        for (int i = 1; i < 13; i += 3) {
            point(mapped[i], "");
            point(mapped[i + 1], "");
            point(mapped[i + 2], "c\n");
        }
        content_->op(fill && stroke ? "h B\n" : fill ? "h f\n" : "h S\n");
    }

    void drawEllipse(const QRect& box) override { drawEllipse(QRectF(box)); }

    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        if (!pageOpen_) return;
        const QList<uint> chars = item.text().toUcs4();
        text(p, item.font(), pen_.color().rgb(), transform_,
             std::u32string_view(reinterpret_cast<const char32_t*>(chars.constData()), static_cast<size_t>(chars.size())));
    }

    // The characters as one run of the face's glyphs, in a text object that stays open for
    // the texts that follow it (a sheet paints them one after another).
    void text(QPointF p, const QFont& font, QRgb rgb, const QTransform& transform, std::u32string_view chars)
    {
        if (!pageOpen_ || chars.empty()) return;
        Face* face = faceOf(font);
        if (!face) return;
        codes_.clear();
        bool missing = false;
        for (char32_t cp : chars) {
            const uint16_t code = face->code(cp);
            missing = missing || code == 0;
            codes_.push_back(code);
        }
        if (missing) {
            // Qt draws characters the face lacks in another font of its choosing: their outlines
            // from that font look right, where the face would show empty boxes.
            outline(p, font, rgb, transform, chars);
            return;
        }
        const double size = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpi_ / kPointsPerInch;
        const int stretch = font.stretch();
        const double widen = stretch > 0 ? stretch / 100.0 : 1.0;
        // Glyph space (y up, one unit a character height) onto the device, then the painter's.
        const QTransform m = QTransform(size * widen, 0, 0, -size, p.x(), p.y()) * transform;
        if (!inText_) {
            content_->op("BT\n");
            inText_ = true;
        }
        fillColour(rgb);
        // The font is part of the graphics state: it holds from one text object to the next.
        if (emitted_.font != face->font) {
            content_->op("/").op(face->font->resourceName()).op(" 1 Tf\n");
            emitted_.font = face->font;
        }
        content_->num(m.m11()).num(m.m12()).num(m.m21()).num(m.m22()).num(m.dx()).num(m.dy()).op("Tm ");
        content_->hexGlyphs(codes_).op(" Tj\n");
    }

private:
    struct Face {
        QRawFont raw;
        pdf::EmbeddedFont* font = nullptr;
        // The document's code of each character, looked up once: a table for the characters
        // labels are made of, a map for the rest. -1: not looked up yet; 0: the face lacks it.
        std::vector<int32_t> basic = std::vector<int32_t>(0x10000, -1);
        std::unordered_map<char32_t, uint16_t> others;
        uint16_t code(char32_t cp)
        {
            if (cp < basic.size()) {
                int32_t& known = basic[cp];
                if (known < 0) known = lookUp(cp);
                return static_cast<uint16_t>(known);
            }
            auto [it, added] = others.try_emplace(cp, 0);
            if (added) it->second = lookUp(cp);
            return it->second;
        }
        uint16_t lookUp(char32_t cp)
        {
            const QList<quint32> ids = raw.glyphIndexesForString(QString::fromUcs4(&cp, 1));
            const uint16_t glyph = ids.size() == 1 && ids[0] <= 0xFFFF ? static_cast<uint16_t>(ids[0]) : 0;
            return font->code(glyph, cp);
        }
    };

    void outline(QPointF p, const QFont& font, QRgb rgb, const QTransform& transform, std::u32string_view chars)
    {
        QPainterPath path;
        path.addText(p, font, QString::fromUcs4(chars.data(), static_cast<qsizetype>(chars.size())));
        const QBrush keptBrush = brush_;
        const QPen keptPen = pen_;
        const QTransform keptTransform = transform_;
        brush_ = QColor(rgb);
        pen_ = Qt::NoPen;
        setTransform(transform);
        drawPath(path);
        brush_ = keptBrush;
        pen_ = keptPen;
        setTransform(keptTransform);
    }

    void setTransform(const QTransform& t)
    {
        transform_ = t;
        identity_ = transform_.isIdentity();
        widthScale_ = identity_ ? 1.0 : std::sqrt(std::fabs(transform_.determinant()));
    }

    // Paths cannot be built inside a text object.
    void endText()
    {
        if (!inText_) return;
        content_->op("ET\n");
        inText_ = false;
    }

    // Texts of one face share one embedded font; Qt resolves the face as it does on screen.
    Face* faceOf(const QFont& font)
    {
        // A sheet paints thousands of texts in one or two fonts.
        if (lastFace_ && font == lastFont_) return lastFace_;
        const QString key = font.family() + QLatin1Char('/') + font.styleName() + QLatin1Char('/') +
                            QString::number(font.weight()) + QLatin1Char('/') + QString::number(font.italic());
        auto it = faces_.find(key);
        if (it == faces_.end()) it = faces_.emplace(key, loadFace(font)).first;
        Face& f = it->second;
        if (!f.font) return nullptr;
        if (std::find(pageFonts_.begin(), pageFonts_.end(), f.font) == pageFonts_.end()) pageFonts_.push_back(f.font);
        lastFont_ = font;
        lastFace_ = &f;
        return &f;
    }

    Face loadFace(const QFont& font)
    {
        Face face;
        face.raw = QRawFont::fromFont(font);
        if (!face.raw.isValid()) {
            fontError_ = font.family().toStdString() + ": the font cannot be read";
            return face;
        }
        // The name the font gives itself tells its files apart (regular and bold, a substitute
        // for the face asked for); a font without one is named after its family and style.
        std::string base = pdf::postScriptName({{"name", face.raw.fontTable("name").toStdString()}});
        if (base.empty()) {
            const QString family = face.raw.familyName();
            base = (isAscii(family) ? family : QStringLiteral("Font")).toStdString() + "-" +
                   std::to_string(face.raw.weight()) + (face.raw.style() == QFont::StyleNormal ? "" : "-Italic");
        }
        // Its tables are megabytes: read once per file, however many sizes and styles ask for it.
        if (pdf::EmbeddedFont* known = document_.findFont(base)) {
            face.font = known;
            return face;
        }
        pdf::FontTables tables = fontTables(face.raw);
        if (!tables.count("glyf")) {
            fontError_ = base + ": only TrueType outlines can be embedded";
            face.raw = QRawFont();
            return face;
        }
        face.font = &document_.font(base, std::move(tables));
        return face;
    }

    bool stroking() const { return pen_.style() != Qt::NoPen && pen_.brush().style() != Qt::NoBrush; }

    QPointF map(QPointF p) const { return identity_ ? p : transform_.map(p); }
    static bool finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }
    QPointF map(const QPainterPath::Element& e) const { return map(QPointF(e.x, e.y)); }

    void point(QPointF p, std::string_view op) { content_->num(p.x()).num(p.y()).op(op); }

    static void colour(pdf::Content& c, QRgb rgb, const char* op)
    {
        c.fraction(qRed(rgb) / 255.0).fraction(qGreen(rgb) / 255.0).fraction(qBlue(rgb) / 255.0).op(op);
    }

    void fillColour(QRgb rgb)
    {
        if (emitted_.fill == static_cast<long long>(rgb)) return;
        colour(*content_, rgb, "rg\n");
        emitted_.fill = rgb;
    }

    // Colour, width, ends and dashes of the pen, each written only when it changed.
    void strokeState()
    {
        if (!penDirty_) return;
        penDirty_ = false;
        const QRgb rgb = pen_.color().rgb();
        if (emitted_.stroke != static_cast<long long>(rgb)) {
            colour(*content_, rgb, "RG\n");
            emitted_.stroke = rgb;
        }
        // A cosmetic pen is as wide on the page whatever the painter's transform.
        const double width = pen_.isCosmetic() ? pen_.widthF() : pen_.widthF() * widthScale_;
        if (width != emitted_.width) {
            content_->num(width).op("w\n");
            emitted_.width = width;
        }
        const int cap = pen_.capStyle() == Qt::RoundCap ? 1 : pen_.capStyle() == Qt::SquareCap ? 2 : 0;
        if (cap != emitted_.cap) {
            content_->num(cap).op("J\n");
            emitted_.cap = cap;
        }
        const int join = pen_.joinStyle() == Qt::RoundJoin ? 1 : pen_.joinStyle() == Qt::BevelJoin ? 2 : 0;
        if (join != emitted_.join) {
            content_->num(join).op("j\n");
            emitted_.join = join;
        }
        pdf::Content dash;  // a few bytes; kept apart to compare with what the page has
        dash.op("[");
        if (pen_.style() != Qt::SolidLine) {
            // Qt gives dashes in pen widths; a hairline's pattern counts in single dots.
            const double unit = width > 0 ? width : 1;
            for (qreal d : pen_.dashPattern()) dash.num(std::max(d * unit, 0.01));
        }
        dash.op("] ").num(pen_.style() != Qt::SolidLine ? pen_.dashOffset() * (width > 0 ? width : 1) : 0).op("d\n");
        std::string dashText = dash.take();
        if (dashText != emitted_.dash) {
            content_->op(dashText);
            emitted_.dash = std::move(dashText);
        }
    }

    // What the page's content has set so far; a new page starts from the PDF defaults.
    struct Emitted {
        long long stroke = 0, fill = 0;  // black
        const pdf::EmbeddedFont* font = nullptr;
        double width = 1;
        int cap = 0, join = 0;
        std::string dash = "[] 0 d\n";
    };

    int dpi_;
    pdf::Document document_;
    pdf::Content* content_ = nullptr;  // the open page's, inside document_
    bool pageOpen_ = false;
    std::vector<const pdf::EmbeddedFont*> pageFonts_;
    Emitted emitted_;
    bool penDirty_ = true;  // the pen changed since strokeState() last wrote it
    bool inText_ = false;   // a text object is open
    std::vector<uint16_t> codes_;  // the text being written, kept for its memory
    std::vector<QPointF> pathPoints_;  // the path being written, on the device
    QPen pen_;
    QBrush brush_;
    QTransform transform_;
    bool identity_ = true;
    double widthScale_ = 1;
    std::unordered_map<QString, Face> faces_;  // nodes stay put: lastFace_ points into it
    QFont lastFont_;
    Face* lastFace_ = nullptr;
    std::string fontError_;
};

PdfDevice::PdfDevice(int dotsPerInch, std::function<void(std::string_view)> write)
    : dpi_(dotsPerInch), engine_(std::make_unique<PdfPaintEngine>(dotsPerInch, std::move(write)))
{
}

PdfDevice::~PdfDevice() = default;

void PdfDevice::newPage(double widthMm, double heightMm)
{
    widthMm_ = widthMm;
    heightMm_ = heightMm;
    engine_->startPage(widthMm, heightMm);
}

void PdfDevice::drawText(QPointF at, const QFont& font, QColor colour, const QTransform& transform,
                         std::u32string_view text)
{
    engine_->text(at, font, colour.rgb(), transform, text);
}

std::string PdfDevice::finish(const std::string& title, const std::string& creator)
{
    return engine_->finish(title, creator);
}

QPaintEngine* PdfDevice::paintEngine() const { return engine_.get(); }

int PdfDevice::metric(PaintDeviceMetric metric) const
{
    const auto dots = [this](double mm) { return static_cast<int>(std::lround(mm / kMmPerInch * dpi_)); };
    switch (metric) {
    case PdmWidth: return dots(widthMm_);
    case PdmHeight: return dots(heightMm_);
    case PdmWidthMM: return static_cast<int>(std::lround(widthMm_));
    case PdmHeightMM: return static_cast<int>(std::lround(heightMm_));
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return dpi_;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    default: return QPaintDevice::metric(metric);
    }
}

}  // namespace print
