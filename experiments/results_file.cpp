#include "experiments/results_file.hpp"

#include <filesystem>
#include <sstream>
#include <system_error>

#include "experiments/bad_input.hpp"

namespace sys::sweep {

std::vector<RunRecord> read_results(const std::string& path, bool cut_partial_line) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::exists(path, ec)) return {};
    std::ifstream in(path, std::ios::binary);
    if (!in) throw BadInput("cannot read '" + path + "'");
    std::ostringstream text_stream;
    text_stream << in.rdbuf();
    std::string text = text_stream.str();
    if (text.empty()) return {};

    const auto last_end = text.rfind('\n');
    if (last_end != text.size() - 1) {
        const std::size_t keep = last_end == std::string::npos ? 0 : last_end + 1;
        text.resize(keep);
        if (cut_partial_line) {
            in.close();
            fs::resize_file(path, keep, ec);
            if (ec) throw BadInput("cannot mend '" + path + "': " + ec.message());
        }
    }

    std::vector<RunRecord> records;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();  // RFC 4180 line ends
        if (number == 1) {
            if (line != results_header())
                throw BadInput("'" + path + "' has other columns than a sweep's results (" + results_header() +
                               "); it is left as it is");
            continue;
        }
        if (line.empty()) continue;
        records.push_back(parse_results_row(line, path + " line " + std::to_string(number)));
    }
    return records;
}

ResultsWriter::ResultsWriter(const std::string& path) : path_(path) {
    std::error_code ec;
    const bool fresh = !std::filesystem::exists(path, ec) || std::filesystem::file_size(path, ec) == 0;
    out_.open(path, std::ios::binary | std::ios::app);
    if (!out_) throw BadInput("cannot write '" + path + "'");
    if (fresh) out_ << results_header() << '\n' << std::flush;
    if (!out_) throw BadInput("cannot write '" + path + "'");
}

void ResultsWriter::append(const RunRecord& record) { out_ << results_row(record) << '\n' << std::flush; }

void write_results(const std::string& path, const std::vector<RunRecord>& records) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw BadInput("cannot write '" + path + "'");
    out << results_header() << '\n';
    for (const RunRecord& r : records) out << results_row(r) << '\n';
    out.flush();
    if (!out) throw BadInput("cannot write '" + path + "'");
}

}  // namespace sys::sweep
