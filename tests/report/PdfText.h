#pragma once
// Running programs from the report tests: the real sonivel-report and
// pdftotext (poppler-utils), with their output and exit status.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace reporttest {

struct SRun {
    int status = -1;
    std::string out, err;
};

inline std::string Quoted(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline std::string Slurp(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs argv through the shell with both outputs captured in files of dir.
inline SRun Run(const std::vector<std::string>& argv, const std::filesystem::path& dir)
{
    std::string cmd;
    for (const std::string& a : argv)
        cmd += Quoted(a) + " ";
    const auto out = dir / ".run-out", err = dir / ".run-err";
    cmd += ">" + Quoted(out.string()) + " 2>" + Quoted(err.string());
    const int raw = std::system(cmd.c_str());
    SRun r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return r;
}

// The text of a PDF file with its layout kept (a table row on one line),
// pages separated by form feeds.
inline std::string PdfText(const std::filesystem::path& pdf)
{
    const auto txt = pdf.parent_path() / ".pdf-text";
    const SRun r = Run({"pdftotext", "-layout", pdf.string(), txt.string()}, pdf.parent_path());
    std::string text = r.status == 0 ? Slurp(txt) : "pdftotext failed: " + r.err;
    std::filesystem::remove(txt);
    return text;
}

// The pages of a PDF file's text.
inline std::vector<std::string> PdfPages(const std::filesystem::path& pdf)
{
    std::vector<std::string> pages;
    std::stringstream all(PdfText(pdf));
    std::string page;
    while (std::getline(all, page, '\f'))
        if (!page.empty())
            pages.push_back(page);
    return pages;
}

// The first line of text holding every one of words in that order, with only
// blanks between them; empty when there is none.
inline std::string Row(const std::string& text, const std::vector<std::string>& words)
{
    std::stringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::size_t at = 0;
        bool all = true;
        for (const std::string& w : words) {
            const std::size_t found = line.find(w, at);
            if (found == std::string::npos || (at != 0 && line.find_first_not_of(' ', at) != found)) {
                all = false;
                break;
            }
            at = found + w.size();
        }
        if (all)
            return line;
    }
    return {};
}

} // namespace reporttest
