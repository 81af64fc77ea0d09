#include "experiments/run_record.hpp"

#include <charconv>
#include <vector>

#include "experiments/bad_input.hpp"
#include "experiments/value_list.hpp"

namespace sys::sweep {

namespace {

const char* outcome_text(Outcome o) {
    switch (o) {
        case Outcome::converged: return "1";
        case Outcome::not_converged: return "0";
        case Outcome::timeout: return "timeout";
        case Outcome::crash: return "crash";
        case Outcome::error: return "error";
    }
    return "error";
}

std::string optional_number(double x) { return std::isnan(x) ? std::string() : number_text(x); }

// Our rows never quote a field (no field holds a comma, a quote or a line
// end), so a quote marks a file that is not ours.
std::vector<std::string> fields_of(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (;;) {
        const auto at = line.find(',', from);
        fields.push_back(line.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos) return fields;
        from = at + 1;
    }
}

struct RowReader {
    const std::string& where;
    [[noreturn]] void fail(const std::string& why) const { throw BadInput(where + ": " + why); }
    double number(const std::string& field, const char* column) const {
        double d = 0;
        const char* end = field.data() + field.size();
        const auto r = std::from_chars(field.data(), end, d);
        if (field.empty() || r.ec != std::errc() || r.ptr != end)
            fail(std::string("bad ") + column + " '" + field + "'");
        return d;
    }
    double optional(const std::string& field, const char* column) const {
        return field.empty() ? NAN : number(field, column);
    }
};

}  // namespace

const std::string& results_header() {
    static const std::string header = "alpha,beta,gamma,reinf,random,seed,converged,trials,best,steps,seconds";
    return header;
}

std::string results_row(const RunRecord& r) {
    const RunSetting& s = r.key.setting;
    std::string row = number_text(s.alpha) + ',' + number_text(s.beta) + ',' + number_text(s.gamma) + ',' +
                      number_text(s.reinf) + ',' + (s.random ? "on" : "off") + ',' +
                      (r.key.seed ? std::to_string(*r.key.seed) : std::string()) + ',' + outcome_text(r.outcome);
    row += ',' + optional_number(r.trials) + ',' + optional_number(r.best) + ',' + optional_number(r.steps) + ',' +
           number_text(r.seconds);
    return row;
}

RunRecord parse_results_row(const std::string& line, const std::string& where) {
    const RowReader read{where};
    const std::vector<std::string> f = fields_of(line);
    if (f.size() != 11) read.fail("expected 11 fields, found " + std::to_string(f.size()));
    RunRecord r;
    RunSetting& s = r.key.setting;
    s.alpha = read.number(f[0], "alpha");
    s.beta = read.number(f[1], "beta");
    s.gamma = read.number(f[2], "gamma");
    s.reinf = read.number(f[3], "reinf");
    if (f[4] != "on" && f[4] != "off") read.fail("bad random '" + f[4] + "' (on or off)");
    s.random = f[4] == "on";
    if (s.random) {
        const double seed = read.number(f[5], "seed");
        if (!(seed >= 0 && seed <= 9007199254740992.0) || seed != std::floor(seed))
            read.fail("bad seed '" + f[5] + "'");
        r.key.seed = static_cast<std::uint64_t>(seed);
    } else if (!f[5].empty()) {
        read.fail("a run with random terms off has no seed");
    }
    bool known = false;
    for (Outcome o : {Outcome::converged, Outcome::not_converged, Outcome::timeout, Outcome::crash, Outcome::error}) {
        if (f[6] == outcome_text(o)) r.outcome = o, known = true;
    }
    if (!known) read.fail("bad converged '" + f[6] + "'");
    r.trials = read.optional(f[7], "trials");
    r.best = read.optional(f[8], "best");
    r.steps = read.optional(f[9], "steps");
    r.seconds = read.number(f[10], "seconds");
    if (has_outcome(r) && (std::isnan(r.trials) || std::isnan(r.best) || std::isnan(r.steps)))
        read.fail("a finished run without trials, best or steps");
    return r;
}

}  // namespace sys::sweep
