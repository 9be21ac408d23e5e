// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/draft_preview.h"

#include <charconv>
#include <cmath>

#include "draft/alignment_test.h"
#include "draft/drawing_set.h"
#include "draft/sheet_layout.h"
#include "editor/command_codes.h"
#include "editor/overwrite_check.h"
#include "model/bars.h"
#include "settings/ini_file.h"
#include "settings/settings_store.h"

namespace editor {

namespace {

constexpr int kMinWindowSide = 200;

// Test01 goes through the frame and the preview like any drawing: drawn straight into the
// current store it would leave its lines and texts in the user's project.
std::optional<draft::DrawingKind> drawingOf(int code, model::Session& session)
{
    if (code == cmd::TEST_01)
        return draft::DrawingKind{code, "Test01", draft::ScaleMode::List, draft::GeneratorStore::Drawing,
                                  [](draft::Drafter& d) { draft::drawAlignmentTest(d); }, {}};
    return draft::drawingForCode(code, session);
}

std::string trimmed(const std::string& s)
{
    const size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

int sizeFrom(const settings::IniFile* ini, const char* key, int fallback)
{
    if (!ini) return fallback;
    const std::string text = trimmed(settings::iniRead(*ini, settings::kSectionDraft, key, ""));
    int value = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    // A size no window can have would leave the preview out of reach.
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || value < kMinWindowSide || value > 100000)
        return fallback;
    return value;
}

}  // namespace

std::string proposedSheetPath(const std::string& projectPath, const std::string& caption, const std::string& extension)
{
    const size_t slash = projectPath.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string name = projectPath.substr(nameStart);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    if (name.empty()) name = "untitled";
    // A grid name with a slash must not send the file into a folder of its own.
    std::string sheet = caption;
    for (char& c : sheet)
        if (c == '/') c = '_';
    return projectPath.substr(0, nameStart) + name + (sheet.empty() ? "" : "-" + sheet) + extension;
}

std::optional<double> parseScale(const std::string& text)
{
    const std::string t = trimmed(text);
    double value = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size()) return std::nullopt;
    if (!std::isfinite(value) || !(value > 0)) return std::nullopt;
    return value;
}

std::string scaleText(double scale)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, scale);
    return std::string(buf, r.ptr);
}

DraftPreview::DraftPreview(model::Session& session, Canvas& canvas, DraftWindow& window,
                           const DraftPreviewPorts& ports)
    : session_(session), window_(window), ports_(ports), ctx_(session, canvas, &window, Ports{}), navigator_(ctx_)
{
    ctx_.drawingMode = true;
    // Zoom corners are where the pointer is; a drawing has nothing to snap to.
    ctx_.state.snap.snapMode = SnapMode::Free;
    for (const char* s : model::kScaleList) scaleList_.emplace_back(s);
}

void DraftPreview::runDrawing(int code)
{
    if (code == cmd::TEST_02) return;
    std::optional<draft::DrawingKind> kind = drawingOf(code, session_);
    if (!kind) {
        ctx_.notAvailable();
        return;
    }
    draft::DrawingFrame frame(session_, draftState_);
    do {
        if (!frame.run(kind->scale, kind->store, kind->generate)) break;  // the frame said why
        window_.setCaption(kind->caption);
        caption_ = draft::sheetCaption(*kind, session_);
        split_.reset();
        if (kind->split) split_ = kind->split(session_, draftState_.draftTextHeight);
        setInitDialog(kind->scale);
        showing_ = true;
        window_.showModal();
        showing_ = false;
        navigator_.EndViewOperation();
        frame.close();
    } while (regenerate_);
}

void DraftPreview::windowShown()
{
    ctx_.transform.setCanvasSize(ctx_.canvas.width(), ctx_.canvas.height());
    // A canvas not laid out yet has nothing to fit into; its first resize brings the size.
    if (ctx_.canvas.width() <= 0 || ctx_.canvas.height() <= 0) return;
    if (!navigator_.fitAll()) ctx_.redraw();
}

double DraftPreview::currentScale() const
{
    const auto& d = session_.settings.draft;
    return mode_ == draft::ScaleMode::Draw ? d.DrawScale : d.ListScale;
}

void DraftPreview::setInitDialog(draft::ScaleMode mode)
{
    regenerate_ = false;
    applyEnabled_ = false;
    mode_ = mode;
    typedScale_ = scaleText(currentScale());
    window_.stateChanged();
}

void DraftPreview::scaleTyped(const std::string& text)
{
    typedScale_ = text;
    const std::optional<double> scale = parseScale(text);
    applyEnabled_ = scale && *scale != currentScale();
    window_.stateChanged();
}

void DraftPreview::apply()
{
    const std::optional<double> scale = parseScale(typedScale_);
    if (!applyEnabled_ || !scale) return;
    auto& d = session_.settings.draft;
    (mode_ == draft::ScaleMode::Draw ? d.DrawScale : d.ListScale) = *scale;
    regenerate_ = true;
    window_.closeWindow();
}

bool DraftPreview::saveDxf(bool startCad)
{
    if (!ports_.files) {
        ctx_.notAvailable();
        return false;
    }
    const auto chosen =
        ports_.files->saveFile(platform::kDxfFilter, proposedSheetPath(session_.project.path, caption_, ".dxf"));
    if (!chosen || chosen->empty()) return false;
    const std::string path = dxf::dxfFileName(*chosen);
    if (!mayWrite(session_.platform, *chosen, path)) return false;
    const model::FileResult result = dxf::WriteDxf(path, session_, extents_);
    if (!result.ok) {
        ctx_.notice("DXFファイルを書けませんでした。\n" + result.message);
        return false;
    }
    // The CAD program gets the file only when there is a whole file to give it.
    if (!startCad) return true;
    const std::string& program = cadProgram();
    if (program.empty())
        ctx_.notice("CADプログラムが指定されていません。「CAD参照」で選んでください。");
    else if (!session_.platform.startProgram(program, path))
        ctx_.notice("CADプログラムを起動できませんでした。\n" + program);
    return true;
}

bool DraftPreview::savePdf(const std::string& paper, bool mono)
{
    if (!ports_.files || !ports_.sheets) {
        ctx_.notAvailable();
        return false;
    }
    const auto chosen = ports_.files->saveFile(kPdfFilter, proposedSheetPath(session_.project.path, caption_, ".pdf"));
    if (!chosen || chosen->empty()) return false;
    std::string path = *chosen;
    if (path.size() < 4 || (path.compare(path.size() - 4, 4, ".pdf") != 0 && path.compare(path.size() - 4, 4, ".PDF") != 0))
        path += ".pdf";
    if (!mayWrite(session_.platform, *chosen, path)) return false;
    const std::string why = ports_.sheets->writePdf(
        {path, paper, mono, currentScale(), caption_, mode_ == draft::ScaleMode::List, split_});
    if (!why.empty()) {
        ctx_.notice("PDFファイルを書けませんでした。\n" + why);
        return false;
    }
    return true;
}

void DraftPreview::printSheet(const std::string& paper, bool mono)
{
    if (!ports_.sheets) {
        ctx_.notAvailable();
        return;
    }
    const std::string proposed = proposedSheetPath(session_.project.path, caption_, ".pdf");
    const std::string why =
        ports_.sheets->print({proposed, paper, mono, currentScale(), caption_, mode_ == draft::ScaleMode::List, split_});
    if (!why.empty()) ctx_.notice("印刷できませんでした。\n" + why);
}

void DraftPreview::chooseCadProgram()
{
    if (!ports_.files) {
        ctx_.notAvailable();
        return;
    }
    const auto chosen = ports_.files->openFile(kCadFilter, cadProgram());
    if (!chosen || chosen->empty()) return;
    setCadProgram(*chosen);
}

void DraftPreview::setCadProgram(const std::string& path)
{
    session_.settings.strCADfname = path;
    window_.stateChanged();
}

const std::string& DraftPreview::cadProgram() const { return session_.settings.strCADfname; }

void DraftPreview::close(int width, int height)
{
    session_.texts.clear();
    if (ports_.ini) {
        settings::IniFile::Batch batch(*ports_.ini);
        settings::iniWrite(*ports_.ini, settings::kSectionDraft, "Width", std::to_string(width));
        settings::iniWrite(*ports_.ini, settings::kSectionDraft, "Height", std::to_string(height));
    }
    window_.closeWindow();
}

void DraftPreview::dump()
{
    if (ports_.dump)
        ports_.dump->showDump();
    else
        ctx_.notAvailable();
}

std::pair<int, int> DraftPreview::windowSize() const
{
    return {sizeFrom(ports_.ini, "Width", kDefaultDraftWidth), sizeFrom(ports_.ini, "Height", kDefaultDraftHeight)};
}

// ---- the canvas: the plan canvas's view operations, without commands ----

void DraftPreview::mouseDown(const MouseEvent& ev)
{
    if (navigator_.dragging()) return;
    const bool idle = ctx_.state.viewOperation == ViewOperation::None;
    if (navigator_.startDrag(ev, idle)) return;
    if (idle) {
        if (ev.button == MouseButton::Right) window_.showPopupMenu(ev.point, false);
        return;
    }
    navigator_.press(ev.button, pointAt(ev.point));
}

void DraftPreview::mouseMove(const MouseEvent& ev)
{
    if (navigator_.dragMove(ev.point) || ctx_.redrawing > 0) return;
    if (ctx_.state.viewOperation != ViewOperation::None) navigator_.move(ev.point);
}

void DraftPreview::mouseUp(const MouseEvent& ev)
{
    if (navigator_.endDrag(ev)) return;
    if (ctx_.state.viewOperation != ViewOperation::None) navigator_.release(ev.button, pointAt(ev.point));
}

}  // namespace editor
