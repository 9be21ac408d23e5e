// SPDX-License-Identifier: GPL-3.0-or-later
// sections ss2: tables copied from SS2, saved as TAB-separated files, pasted into the sheets of
// the SS2 import and written into the section table as the section dialog's import and OK do.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "cli_commands.h"
#include "cli_common.h"
#include "editor/dispatcher.h"
#include "editor/section_editor.h"
#include "exchange/ss2_import.h"
#include "model/encoding.h"
#include "model/project_file.h"
#include "platform/console_platform.h"
#include "session/session.h"

namespace cli {

namespace {

constexpr std::uintmax_t kMaxSheetBytes = 16u << 20;

// Nothing is shown: the table goes straight to the project file.
class NoCanvas : public editor::Canvas {
public:
    int width() const override { return 0; }
    int height() const override { return 0; }
    void clear() override {}
    void line(int, int, int, int, int, editor::PenStyle, editor::PenMode) override {}
    void circle(int, int, int, int, editor::PenMode) override {}
    void arc(int, int, int, double, double, int, editor::PenMode) override {}
    void text(int, int, const std::string&, int, double, int, const std::string&) override {}
};

class SheetsPort : public platform::Ss2ImportPort {
public:
    explicit SheetsPort(exchange::Ss2Result result) : result_(std::move(result)) {}
    std::optional<exchange::Ss2Result> importSs2(int, int) override { return result_; }

private:
    exchange::Ss2Result result_;
};

struct SheetFile {
    int sheet = 0;  // 1..5
    std::string file;
};

struct Arguments {
    std::string project, output;
    char letter = 0;
    std::vector<SheetFile> sheets;
};

bool parse(int argc, char** argv, Arguments& out, std::string& wrong)
{
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        wrong = a;
        const bool hasValue = i + 1 < argc;
        if (a == "-o" && hasValue) {
            out.output = argv[++i];
        } else if (a == "--kind" && hasValue) {
            const std::string k = argv[++i];
            if (k != "G" && k != "C") return false;
            out.letter = k[0];
        } else if (a == "--sheet" && hasValue) {
            const std::string v = argv[++i];
            wrong = v;
            const size_t eq = v.find('=');
            if (eq != 1 || v[0] < '1' || v[0] > '5' || v.size() < 3) return false;
            out.sheets.push_back({v[0] - '0', v.substr(2)});
        } else if (!a.empty() && a[0] != '-' && out.project.empty()) {
            out.project = a;
        } else {
            return false;
        }
    }
    return true;
}

// The file's text as UTF-8: UTF-8 as it is, anything else read as CP932.
bool readSheetText(const std::string& file, std::string& text, std::string& why)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(std::filesystem::u8path(file), ec);
    if (ec) {
        why = file + ": cannot be read";
        return false;
    }
    if (size > kMaxSheetBytes) {
        why = file + ": larger than a pasted table can be";
        return false;
    }
    std::ifstream in(std::filesystem::u8path(file), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        why = file + ": cannot be read";
        return false;
    }
    if (model::isValidUtf8(bytes)) {
        text = bytes;
        return true;
    }
    text = model::cp932ToUtf8(bytes);
    if (text.find("\xEF\xBF\xBD") != std::string::npos) {
        why = file + ": neither UTF-8 nor CP932 text";
        return false;
    }
    return true;
}

}  // namespace

int runSectionsSs2(int argc, char** argv)
{
    Arguments args;
    std::string wrong;
    if (!parse(argc, argv, args, wrong)) return usage("sections ss2: unexpected argument '" + wrong + "'");
    if (args.project.empty() || args.output.empty() || !args.letter || args.sheets.empty())
        return usage("sections ss2 takes PROJECT.kel --kind G|C --sheet N=FILE.tsv ... -o OUT.kel");

    platform::ConsolePlatform platform;
    model::Session session(platform);
    if (!loadProject(session, args.project)) return kExitFailure;
    // As the section dialog opens: without levels it offers three.
    int& spans = session.grid.spanCount[model::AXIS_Z];
    if (spans < 1) spans = 3;

    exchange::Ss2Sheets sheets;
    const int mode = args.letter == model::kColumnLetter ? exchange::kSs2ColumnMode : exchange::kSs2GirderMode;
    sheets.setInitDialog(mode, spans);
    for (const SheetFile& s : args.sheets) {
        if (!sheets.sheetVisible(s.sheet - 1))
            return fail("sections ss2: sheet " + std::to_string(s.sheet) + " is not used for --kind " + args.letter);
        std::string text, why;
        if (!readSheetText(s.file, text, why)) return fail("sections ss2: " + why);
        const int dropped = sheets.paste(s.sheet - 1, sheets.firstDataRow(), sheets.firstDataColumn(s.sheet - 1), text);
        if (dropped > 0)
            std::printf("sheet %d: %d cells outside the sheet were dropped\n", s.sheet, dropped);
    }
    const exchange::Ss2Result result = sheets.result();
    if (result.markCount == 0) return fail("sections ss2: sheet 1 holds no mark (its first data column is empty)");

    NoCanvas canvas;
    editor::Dispatcher dispatcher(session, canvas, nullptr, editor::Ports{});
    SheetsPort port(result);
    editor::SectionEditor editor(dispatcher, editor::SectionEditorPorts{nullptr, nullptr, &port});
    editor.open(args.letter, session.settings.draft.RodKind);
    editor.importSs2();
    if (!editor.ok()) return fail("sections ss2: " + editor.rowProblem().value_or(editor::SectionEditor::FieldProblem{}).message);
    const model::FileResult r = model::writeProject(session, args.output);
    if (!r.ok) return fail(r.message);
    std::printf("%d marks, %zu levels\n", result.markCount, editor.rows().size());
    return kExitOk;
}

}  // namespace cli
