// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a DXF file back with Debian's ezdxf (through tests/dxf/read_dxf.py) for the tests.
#pragma once

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace dxf_test {

struct ReadText {
    std::string layer;
    double x = 0, y = 0;
    int halign = 0, valign = 0;
    double height = 0, rotation = 0;
    std::string text;
};

struct ReadBack {
    bool ezdxfMissing = false;
    bool ok = false;
    std::string output;  // everything the reader printed, for failure messages
    std::string version, encoding, firstHandle;
    int auditErrors = -1, auditFixes = -1;
    bool handlesUnique = false;
    std::map<std::string, int> counts, lineTypes, layers;
    std::vector<ReadText> texts;
    std::vector<double> linesBox;  // min x, min y, max x, max y of the LINE entities; empty: none

    int count(const std::string& type) const
    {
        auto it = counts.find(type);
        return it == counts.end() ? 0 : it->second;
    }
    const ReadText* findText(const std::string& s) const
    {
        for (const ReadText& t : texts)
            if (t.text == s) return &t;
        return nullptr;
    }
};

inline constexpr const char* kPython = "/usr/bin/python3";

inline ReadBack readWithEzdxf(const std::string& file)
{
    ReadBack r;
    const std::string command = std::string(kPython) + " '" TESSMAR_SOURCE_DIR "/tests/dxf/read_dxf.py' '" + file + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        r.output = "cannot start " + command;
        return r;
    }
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) r.output.append(buffer, n);
    const int status = ::pclose(pipe);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    // 3: the reader's own "no ezdxf"; 127: no /usr/bin/python3 at all.
    if (code == 3 || code == 127) {
        r.ezdxfMissing = true;
        return r;
    }
    r.ok = code == 0;
    std::istringstream in(r.output);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::string::size_type start = 0;
        for (;;) {
            auto tab = line.find('\t', start);
            f.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        const std::string& key = f[0];
        if (key == "version" && f.size() == 2) r.version = f[1];
        else if (key == "encoding" && f.size() == 2) r.encoding = f[1];
        else if (key == "audit_errors" && f.size() == 2) r.auditErrors = std::stoi(f[1]);
        else if (key == "audit_fixes" && f.size() == 2) r.auditFixes = std::stoi(f[1]);
        else if (key == "handle_first" && f.size() == 2) r.firstHandle = f[1];
        else if (key == "handles_unique" && f.size() == 2) r.handlesUnique = f[1] == "1";
        else if (key == "count" && f.size() == 3) r.counts[f[1]] = std::stoi(f[2]);
        else if (key == "linetype" && f.size() == 3) r.lineTypes[f[1]] = std::stoi(f[2]);
        else if (key == "layer" && f.size() == 3) r.layers[f[1]] = std::stoi(f[2]);
        else if (key == "lines_box" && f.size() == 5)
            r.linesBox = {std::stod(f[1]), std::stod(f[2]), std::stod(f[3]), std::stod(f[4])};
        else if (key == "text" && f.size() == 9)
            r.texts.push_back({f[1], std::stod(f[2]), std::stod(f[3]), std::stoi(f[4]), std::stoi(f[5]),
                               std::stod(f[6]), std::stod(f[7]), f[8]});
    }
    return r;
}

}  // namespace dxf_test
