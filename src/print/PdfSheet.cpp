// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PdfSheet.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <tuple>
#include <unordered_map>
#include <vector>

#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include "draft/numbered_set.h"
#include "draft/sheet_marks.h"
#include "draft/pen_width.h"
#include "draft/sheet_split.h"
#include "draft/title_block.h"
#include "model/element_store.h"
#include "model/project_file.h"
#include "model/safe_file.h"
#include "model/text_buffer.h"
#include "pdf/pdf_document.h"
#include "print/PdfDevice.h"
#include "session/session.h"

namespace print {

namespace {

constexpr int kResolution = 1200;    // dots per inch of the PDF's coordinates
const QString kFontFace = QStringLiteral("IPAGothic");

// Labels are plain Japanese and Latin text without ligatures or kerning: shaping them would only
// cost time, a fifth of a large sheet's.
QFont sheetFont(int pixels)
{
    QFont font(kFontFace);
    font.setPixelSize(pixels);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QColor colourOf(int bgr, bool mono)
{
    if (mono) return Qt::black;
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

bool drawable(int kind)
{
    switch (kind) {
    case model::kind::LINE:
    case model::kind::DASHLINE:
    case model::kind::DOTLINE:
    case model::kind::DASHDOT:
    case model::kind::CIRCLE:
    case model::kind::ARC: return true;
    default: return false;
    }
}

// A device point on whole dots (1/1200 inch in a PDF, 0.02 mm): the PDF then writes short
// integers, a third fewer bytes than fractions.
QPointF dot(QPointF p) { return {wholeDot(p.x()), wholeDot(p.y())}; }

// Everything one pen draws.
struct Stroke {
    int colour, kind, layer;
    std::vector<QLineF> lines;
    std::vector<QRectF> circles;  // their boxes: a bar section is drawn as an ellipse, not a path
    QPainterPath curves;
};

class SheetPainter {
public:
    SheetPainter(QPainter& p, double dotsPerMm, const draft::Sheet& sheet, bool mono)
        : p_(p), f_(dotsPerMm), sheet_(sheet), mono_(mono), base_(p.transform())
    {
    }

    QPointF device(model::Point sheetMm) const { return {sheetMm.x * f_, (sheet_.height - sheetMm.y) * f_}; }

    // The listed lines, circles and arcs of the store inside each piece, one stroke per pen: a
    // pen change and a path cost the PDF far more than another segment of the same path.
    void elements(const model::ElementStore& store, const std::vector<int>& only,
                  const std::vector<draft::SheetPiece>& pieces)
    {
        std::vector<Stroke> strokes;
        std::unordered_map<uint64_t, size_t> byPen;
        uint64_t lastKey = ~uint64_t{0};
        size_t last = 0;
        for (const draft::SheetPiece& piece : pieces)
            for (int c : only) {
                const model::Element& e = store.at(c);
                if (!drawable(e.kind)) continue;
                const uint64_t key = (static_cast<uint64_t>(static_cast<uint32_t>(e.CL)) << 32) |
                                     (static_cast<uint64_t>(static_cast<uint16_t>(e.LY)) << 16) |
                                     static_cast<uint16_t>(e.kind);
                // Generators draw runs of one pen: most elements need no look-up.
                if (key != lastKey) {
                    auto [it, added] = byPen.try_emplace(key, strokes.size());
                    if (added) strokes.push_back({e.CL, e.kind, e.LY, {}, {}, {}});
                    lastKey = key;
                    last = it->second;
                }
                add(strokes[last], e, piece);
            }
        p_.setBrush(Qt::NoBrush);
        for (const Stroke& s : strokes) {
            p_.setPen(pen(s));
            if (!s.lines.empty()) p_.drawLines(s.lines.data(), static_cast<int>(s.lines.size()));
            for (const QRectF& box : s.circles) p_.drawEllipse(box);
            if (!s.curves.isEmpty()) p_.drawPath(s.curves);
        }
    }

    QPen pen(const Stroke& s) const
    {
        const double width = draft::penWidth(s.layer);
        QPen pen(colourOf(s.colour, mono_), width * f_);
        pen.setCapStyle(Qt::FlatCap);
        // Patterns in millimetres of paper, given to Qt in pen widths.
        auto pattern = [&](std::initializer_list<double> mm) {
            QList<qreal> dashes;
            for (double d : mm) dashes << d / width;
            pen.setDashPattern(dashes);
        };
        switch (s.kind) {
        case model::kind::DASHLINE: pattern({3, 1.5}); break;
        case model::kind::DOTLINE: pattern({0.3, 1}); break;
        case model::kind::DASHDOT: pattern({8, 1.5, 1, 1.5}); break;
        default: break;
        }
        return pen;
    }

    QPointF world(const draft::SheetPiece& piece, double x, double y) const
    {
        return device(piece.toSheet(x, y, sheet_.scale));
    }

    void add(Stroke& s, const model::Element& e, const draft::SheetPiece& piece) const
    {
        if (e.kind != model::kind::CIRCLE && e.kind != model::kind::ARC) {
            double x1 = e.X1, y1 = e.Y1, x2 = e.X2, y2 = e.Y2;
            if (draft::clipToPiece(piece, x1, y1, x2, y2))
                s.lines.emplace_back(dot(world(piece, x1, y1)), dot(world(piece, x2, y2)));
            return;
        }
        if (!draft::pieceHolds(piece, e.X1, e.Y1)) return;
        const double r = sheet_.toSheetLength(e.X2) * f_;
        const QPointF c = world(piece, e.X1, e.Y1);
        if (e.kind == model::kind::CIRCLE) {
            const QPointF centre = dot(c);
            s.circles.emplace_back(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
            return;
        }
        double span = std::fmod(e.Z2 - e.Z1, 360.0);
        if (span <= 0) span += 360;
        const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
        s.curves.arcMoveTo(box, e.Z1);
        s.curves.arcTo(box, e.Z1, span);
    }

    // A text with its box's lower-left corner at p (sheet mm), h mm high and length mm long.
    void text(const std::string& utf8, model::Point p, double h, double length, double angle, int colour)
    {
        if (utf8.empty() || !(h > 0)) return;
        std::u32string chars = pdf::codePoints(utf8);
        const int pixels = std::max(1, static_cast<int>(std::lround(h * f_)));
        const double advance = advanceOf(chars, pixels);
        // The box the DXF reader sees: the same length from MojiRatio. A stretch to 1/10 000
        // lets the texts of one size share a transform, set once on the painter for all of them.
        const double stretch = advance > 0 && length > 0 ? std::round(length * f_ / advance * 1e4) / 1e4 : 1;
        texts_[{pixels, colour, angle, stretch}].push_back({std::move(chars), dot(device(p))});
    }

    // The text's width in device dots: the sum of its characters' widths, since sheet fonts are
    // not shaped (no kerning, no ligatures). A set has hundreds of thousands of labels made of a
    // few hundred characters: their widths are kept from sheet to sheet (plain numbers, so the
    // cache outlives no font).
    static double advanceOf(std::u32string_view chars, int pixels)
    {
        thread_local std::unordered_map<int, std::unordered_map<char32_t, double>> widths;  // by pixel size
        std::unordered_map<char32_t, double>& of = widths[pixels];
        double sum = 0;
        for (char32_t c : chars) {
            auto [it, added] = of.try_emplace(c, 0.0);
            if (added) it->second = QFontMetricsF(sheetFont(pixels)).horizontalAdvance(QString::fromUcs4(&c, 1));
            sum += it->second;
        }
        return sum;
    }

    // Paints the texts given so far, those of one size, colour, angle and stretch together, and
    // goes back to plain sheet dots. Our PDF device takes them straight, without the text
    // layout the painter would do for each of them.
    void flushTexts()
    {
        PdfDevice* pdf = dynamic_cast<PdfDevice*>(p_.device());
        for (const auto& [key, runs] : texts_) {
            const auto& [pixels, colour, angle, stretch] = key;
            const QFont font = sheetFont(pixels);
            const QColor ink = colourOf(colour, mono_);
            QTransform t;
            t.rotate(-angle);
            t.scale(stretch, 1);
            const QTransform back = t.inverted();
            if (pdf) {
                for (const TextRun& r : runs) pdf->drawText(dot(back.map(r.at)), font, ink, t * base_, r.text);
                continue;
            }
            p_.setFont(font);
            p_.setPen(ink);
            p_.setTransform(t * base_);
            for (const TextRun& r : runs)
                p_.drawText(dot(back.map(r.at)), QString::fromUcs4(r.text.data(), static_cast<qsizetype>(r.text.size())));
        }
        texts_.clear();
        p_.setTransform(base_);
    }

private:
    QPainter& p_;
    double f_;
    const draft::Sheet& sheet_;
    bool mono_;
    QTransform base_;  // the device's own, kept under every text
    struct TextRun {
        std::u32string text;
        QPointF at;  // the box's lower-left corner, device dots
    };
    std::map<std::tuple<int, int, double, double>, std::vector<TextRun>> texts_;
};

// A part's own grid names and dimensions, the match lines along the cuts (chain lines), then
// the title block over the drawing, each with its texts.
void paintMarks(SheetPainter& sp, QPainter& p, double f, const draft::SheetMarks& marks)
{
    const double thin = draft::penWidth(0);
    QPen pen(Qt::black, thin * f);
    p.setPen(pen);
    for (const draft::SheetStroke& m : marks.gridStrokes) p.drawLine(sp.device(m.from), sp.device(m.to));
    for (const draft::SheetLabel& l : marks.gridLabels) sp.text(l.text, l.at, l.height, 0, l.angle, 0);
    pen.setDashPattern({8 / thin, 1.5 / thin, 1 / thin, 1.5 / thin});
    p.setPen(pen);
    for (const draft::SheetStroke& m : marks.matchLines) p.drawLine(sp.device(m.from), sp.device(m.to));
    for (const draft::SheetLabel& l : marks.matchLabels) sp.text(l.text, l.at, l.height, 0, 0, 0);
    sp.flushTexts();
    pen = QPen(Qt::black, draft::kWidestPen * f);
    p.setPen(pen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(sp.device({marks.titleLow.x, marks.titleHigh.y}), sp.device({marks.titleHigh.x, marks.titleLow.y})));
    pen.setWidthF(thin * f);
    p.setPen(pen);
    for (const draft::SheetStroke& r : marks.titleRules) p.drawLine(sp.device(r.from), sp.device(r.to));
    for (const draft::SheetLabel& l : marks.titleTexts) sp.text(l.text, l.at, l.height, 0, 0, 0);
}

}  // namespace

void ensureGuiApplication()
{
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's own remarks (runtime folder, fonts) are no business of a batch tool's stderr.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    });
    static int argc = 1;
    static char name[] = "tessmar";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);  // lives until the program ends
}

void paintSheet(QPainter& painter, double dotsPerMm, const draft::Sheet& sheet, const model::Session& session,
                const SheetOptions& options, const draft::SheetItems& items)
{
    SheetPainter sp(painter, dotsPerMm, sheet, options.mono);
    const std::vector<draft::SheetPiece> pieces = draft::piecesOf(sheet);
    sp.elements(session.store, items.elements, pieces);
    const dxf::TextOptions to = dxf::textOptions(session.settings);
    dxf::TextOptions bottomLeft = to;
    bottomLeft.dxfBase = 7;  // the point the DXF reader places a default-aligned text by
    for (const draft::SheetPiece& piece : pieces)
        for (int t : items.texts) {
            const model::Moji& m = session.texts.at(t);
            if (!draft::pieceHolds(piece, m.x, m.y)) continue;
            const model::Point at = dxf::dxfTextPoint(m, bottomLeft);
            sp.text(m.text, piece.toSheet(at.x, at.y, sheet.scale), sheet.toSheetLength(m.height),
                    sheet.toSheetLength(dxf::dxfTextLength(m, to)), m.angle, m.colour);
        }
    draft::TitleBlock block = options.title;
    if (block.date.empty()) block.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    paintMarks(sp, painter, dotsPerMm, draft::sheetMarks(sheet, draft::titleBlockRows(block, sheet)));
    sp.flushTexts();
}

struct PdfBook::Pdf {
    // The file is written while the sheets are painted: a large set never sits in memory.
    model::SafeFileWriter file;
    PdfDevice device{kResolution, [this](std::string_view piece) { file.write(piece); }};
    QPainter painter;
    std::string title;
};

PdfBook::PdfBook(std::string path, std::string title) : path_(std::move(path)), title_(std::move(title)) {}

PdfBook::~PdfBook()
{
    if (pdf_ && pdf_->painter.isActive()) pdf_->painter.end();
}

draft::SheetSet sheetsFor(const model::Session& session, const SheetOptions& options)
{
    return draft::sheetsOfDrawing(session, options.scale, options.list, options.paper, options.split);
}

std::string PdfBook::addSheet(const model::Session& session, const SheetOptions& options)
{
    return addSheets(session, options, sheetsFor(session, options));
}

void paintSheets(QPainter& painter, const model::Session& session, const SheetOptions& options,
                 const draft::SheetSet& set, const std::function<double(const draft::Sheet&)>& page)
{
    const std::vector<draft::SheetItems> items = draft::sheetItems(set, session.store, session.texts);
    for (size_t i = 0; i < set.sheets.size(); ++i) {
        const double dotsPerMm = page(set.sheets[i]);
        paintSheet(painter, dotsPerMm, set.sheets[i], session, options, items[i]);
    }
}

std::string PdfBook::addSheets(const model::Session& session, const SheetOptions& options, const draft::SheetSet& set)
{
    if (set.sheets.empty()) return set.error;
    bool opened = false;  // the file begins with the first sheet's page
    if (!pdf_) {
        ensureGuiApplication();
        auto pdf = std::make_unique<Pdf>();
        if (model::FileResult r = pdf->file.open(path_); !r.ok) {
            broken_ = true;
            return r.message;
        }
        pdf_ = std::move(pdf);
        pdf_->title = title_.empty() ? options.title.caption : title_;
        pdf_->device.newPage(set.sheets.front().width, set.sheets.front().height);
        if (!pdf_->painter.begin(&pdf_->device)) return path_ + ": PDF を作れません";
        opened = true;
    }
    paintSheets(pdf_->painter, session, options, set, [&](const draft::Sheet& sheet) {
        if (!opened) pdf_->device.newPage(sheet.width, sheet.height);
        opened = false;
        ++pages_;
        return kResolution / 25.4;
    });
    return {};
}

std::string PdfBook::finish()
{
    if (!pdf_) return {};
    pdf_->painter.end();
    const std::string why = pdf_->device.finish(pdf_->title, "Tessmar");
    if (!why.empty()) {
        pdf_->file.discard();
        pdf_.reset();
        return path_ + ": " + why;  // named like the file's own errors
    }
    const model::FileResult r = pdf_->file.commit();
    pdf_.reset();
    return r.ok ? std::string() : r.message;
}

std::string writePdf(const std::string& path, const model::Session& session, const SheetOptions& options)
{
    PdfBook book(path);
    if (std::string why = book.addSheet(session, options); !why.empty()) return why;
    return book.finish();
}

}  // namespace print
