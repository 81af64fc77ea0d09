#pragma once
// The results CSV of a sweep (run_record.hpp has its columns), written one
// row per finished run and flushed at once, so an interrupted sweep loses no
// finished run and can resume from the file.

#include <fstream>
#include <string>
#include <vector>

#include "experiments/run_record.hpp"

namespace sys::sweep {

// The rows of an existing results file, nothing when it is missing or
// empty. Raises BadInput when the file cannot be read, has other columns, or
// holds a malformed row. A last line without its line end is the trace of a
// sweep killed while writing; it is not a row, and `cut_partial_line` (when
// set) drops it from the file so appending goes on cleanly.
std::vector<RunRecord> read_results(const std::string& path, bool cut_partial_line = false);

class ResultsWriter {
public:
    // Opens `path` for appending, writing the header row into a new or empty
    // file. Raises BadInput when it cannot be written.
    explicit ResultsWriter(const std::string& path);
    // Appends the row and flushes it to the file.
    void append(const RunRecord& record);

private:
    std::string path_;
    std::ofstream out_;
};

// Writes `records` as a complete results file at `path`, replacing it.
void write_results(const std::string& path, const std::vector<RunRecord>& records);

}  // namespace sys::sweep
