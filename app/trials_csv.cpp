#include "app/trials_csv.hpp"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>

namespace sys {

std::string csv_number(double v) {
    char text[32];
    // Counts read as counts ("100000", not the shorter "1e+05").
    const bool whole = std::isfinite(v) && v == std::trunc(v) && std::fabs(v) < 1e15;
    const auto [end, ec] = whole ? std::to_chars(text, text + sizeof text, static_cast<long long>(v))
                                 : std::to_chars(text, text + sizeof text, v);
    return ec == std::errc() ? std::string(text, end) : std::string();
}

bool TrialsCsv::open(const std::string& path, std::string& problem) {
    errno = 0;
    out_.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!out_) {
        problem = "--trials-csv: cannot write '" + path + "'" + (errno ? std::string(": ") + std::strerror(errno) : "");
        return false;
    }
    out_ << "run,trial,steps,outcome,alpha,beta,gamma,random_terms,reinforcement\r\n" << std::flush;
    return true;
}

RunCourse TrialsCsv::trial_ended(const TrialReport& r) {
    if (!out_.is_open()) return RunCourse::go_on;
    out_ << r.run << ',' << csv_number(r.trial) << ',' << csv_number(r.steps) << ','
         << (r.success ? "success" : "failure") << ',' << csv_number(settings_.alpha) << ','
         << csv_number(settings_.beta) << ',' << csv_number(settings_.gamma) << ',' << (settings_.random ? 1 : 0) << ','
         << (r.success ? std::string() : csv_number(r.reinf)) << "\r\n"
         << std::flush;
    return RunCourse::go_on;
}

}  // namespace sys
