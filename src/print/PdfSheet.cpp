#include "print/PdfSheet.h"

#include <cmath>
#include <cstdio>
#include <unordered_map>

#include <QBuffer>
#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "draft/pen_width.h"
#include "model/element_store.h"
#include "model/project_file.h"
#include "model/session.h"
#include "model/text_buffer.h"

namespace print {

namespace {

constexpr int kResolution = 1200;    // dots per inch of the PDF's coordinates
const QString kFontFace = QStringLiteral("IPAGothic");

QColor colourOf(int bgr, bool mono)
{
    if (mono) return Qt::black;
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

class SheetPainter {
public:
    SheetPainter(QPainter& p, double dotsPerMm, const draft::Sheet& sheet, bool mono)
        : p_(p), f_(dotsPerMm), sheet_(sheet), mono_(mono)
    {
    }

    QPointF device(model::Point sheetMm) const { return {sheetMm.x * f_, (sheet_.height - sheetMm.y) * f_}; }
    QPointF world(double x, double y) const { return device(sheet_.toSheet(x, y)); }

    void pen(const model::Element& e)
    {
        // Drawings run long stretches in one pen; a PDF pen change is not free.
        if (e.CL == penColour_ && e.kind == penKind_ && e.LY == penLayer_) return;
        penColour_ = e.CL;
        penKind_ = e.kind;
        penLayer_ = e.LY;
        const int colour = e.CL, kind = e.kind;
        const double width = draft::penWidth(e.LY);
        QPen pen(colourOf(colour, mono_), width * f_);
        pen.setCapStyle(Qt::FlatCap);
        // Patterns in millimetres of paper, given to Qt in pen widths.
        auto pattern = [&](std::initializer_list<double> mm) {
            QList<qreal> dashes;
            for (double d : mm) dashes << d / width;
            pen.setDashPattern(dashes);
        };
        switch (kind) {
        case model::kind::DASHLINE: pattern({3, 1.5}); break;
        case model::kind::DOTLINE: pattern({0.3, 1}); break;
        case model::kind::DASHDOT: pattern({8, 1.5, 1, 1.5}); break;
        default: break;
        }
        p_.setPen(pen);
    }

    void element(const model::Element& e)
    {
        switch (e.kind) {
        case model::kind::LINE:
        case model::kind::DASHLINE:
        case model::kind::DOTLINE:
        case model::kind::DASHDOT:
            pen(e);
            p_.drawLine(world(e.X1, e.Y1), world(e.X2, e.Y2));
            break;
        case model::kind::CIRCLE:
        case model::kind::ARC: {
            pen(e);
            const double r = sheet_.toSheetLength(e.X2) * f_;
            const QPointF c = world(e.X1, e.Y1);
            const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
            if (e.kind == model::kind::CIRCLE) {
                p_.drawEllipse(box);
                break;
            }
            double span = std::fmod(e.Z2 - e.Z1, 360.0);
            if (span <= 0) span += 360;
            p_.drawArc(box, static_cast<int>(std::lround(e.Z1 * 16)), static_cast<int>(std::lround(span * 16)));
            break;
        }
        default: break;
        }
    }

    // A text with its box's lower-left corner at p (sheet mm), h mm high and length mm long.
    void text(const std::string& utf8, model::Point p, double h, double length, double angle, int colour)
    {
        const QString s = QString::fromStdString(utf8);
        if (s.isEmpty() || !(h > 0)) return;
        const int pixels = std::max(1, static_cast<int>(std::lround(h * f_)));
        if (pixels != fontPixels_) {
            fontPixels_ = pixels;
            font_ = QFont(kFontFace);
            font_.setPixelSize(pixels);
            p_.setFont(font_);
            advances_.clear();
        }
        // A drawing repeats the same few labels thousands of times.
        auto [it, added] = advances_.try_emplace(utf8, 0.0);
        if (added) it->second = QFontMetricsF(font_).horizontalAdvance(s);
        const double advance = it->second;
        penColour_ = -1;
        p_.save();
        p_.setPen(colourOf(colour, mono_));
        p_.translate(device(p));
        p_.rotate(-angle);
        // The box the DXF reader sees: the same length from MojiRatio.
        if (advance > 0 && length > 0) p_.scale(length * f_ / advance, 1);
        p_.drawText(QPointF(0, 0), s);
        p_.restore();
    }

private:
    QPainter& p_;
    double f_;
    const draft::Sheet& sheet_;
    bool mono_;
    int penColour_ = -1, penKind_ = -1, penLayer_ = -1;
    int fontPixels_ = -1;
    QFont font_;
    std::unordered_map<std::string, double> advances_;
};

void paintTitleBlock(SheetPainter& sp, QPainter& p, double f, const draft::Sheet& sheet,
                     const std::vector<std::string>& rows)
{
    const double right = sheet.width - draft::kSheetMargin, left = right - draft::kTitleWidth;
    const double bottom = draft::kSheetMargin, top = bottom + draft::kTitleRowHeight * static_cast<double>(rows.size());
    QPen pen(Qt::black, draft::kWidestPen * f);
    p.setPen(pen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(sp.device({left, top}), sp.device({right, bottom})));
    pen.setWidthF(draft::penWidth(0) * f);
    p.setPen(pen);
    for (size_t i = 1; i < rows.size(); ++i) {
        const double y = top - draft::kTitleRowHeight * static_cast<double>(i);
        p.drawLine(sp.device({left, y}), sp.device({right, y}));
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        const double base = top - draft::kTitleRowHeight * static_cast<double>(i + 1) + 2;
        sp.text(rows[i], {left + 2, base}, i == 0 ? 4 : 3, 0, 0, 0);
    }
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
                const SheetOptions& options)
{
    SheetPainter sp(painter, dotsPerMm, sheet, options.mono);
    for (int c = -1; session.store.nextLive(c);) sp.element(session.store.at(c));
    const dxf::TextOptions to = dxf::textOptions(session.settings);
    dxf::TextOptions bottomLeft = to;
    bottomLeft.dxfBase = 7;  // the point the DXF reader places a default-aligned text by
    for (const model::Moji& m : session.texts.entries())
        sp.text(m.text, sheet.toSheet(dxf::dxfTextPoint(m, bottomLeft).x, dxf::dxfTextPoint(m, bottomLeft).y),
                sheet.toSheetLength(m.height), sheet.toSheetLength(dxf::dxfTextLength(m, to)), m.angle, m.colour);
    const std::string date =
        options.date.empty() ? QDate::currentDate().toString(Qt::ISODate).toStdString() : options.date;
    paintTitleBlock(sp, painter, dotsPerMm, sheet,
                    draft::titleRows(options.caption, options.projectPath, options.scale, date));
}

struct PdfBook::Pdf {
    QByteArray bytes;
    QBuffer buffer{&bytes};
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
};

PdfBook::PdfBook(std::string path) : path_(std::move(path)) {}

PdfBook::~PdfBook()
{
    if (pdf_ && pdf_->painter.isActive()) pdf_->painter.end();
}

std::string PdfBook::addSheet(const model::Session& session, const SheetOptions& options)
{
    const draft::SheetResult layout = draft::layoutSheet(
        draft::drawingBox(session.store, session.texts, dxf::textOptions(session.settings)), options.scale,
        options.paper);
    if (!layout.sheet) return layout.error;
    const draft::Sheet& sheet = *layout.sheet;
    const QPageSize size(QSizeF(sheet.width, sheet.height), QPageSize::Millimeter, QString::fromStdString(sheet.paper),
                         QPageSize::ExactMatch);
    if (!pdf_) {
        ensureGuiApplication();
        pdf_ = std::make_unique<Pdf>();
        pdf_->buffer.open(QIODevice::WriteOnly);
        pdf_->writer = std::make_unique<QPdfWriter>(&pdf_->buffer);
        pdf_->writer->setResolution(kResolution);
        pdf_->writer->setPageSize(size);
        pdf_->writer->setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf_->writer->setTitle(QString::fromStdString(options.caption));
        pdf_->writer->setCreator(QStringLiteral("Tessmar"));
        if (!pdf_->painter.begin(pdf_->writer.get())) return path_ + ": PDF を作れません";
    } else {
        pdf_->writer->setPageSize(size);
        pdf_->writer->newPage();
    }
    paintSheet(pdf_->painter, kResolution / 25.4, sheet, session, options);
    ++pages_;
    return {};
}

std::string PdfBook::finish()
{
    if (!pdf_) return {};
    pdf_->painter.end();
    pdf_->writer.reset();
    const model::FileResult r = model::writeFileAtomically(path_, pdf_->bytes.toStdString());
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
