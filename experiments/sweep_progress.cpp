#include "experiments/sweep_progress.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "experiments/value_list.hpp"

namespace sys::sweep {

std::string clock_text(double seconds) {
    const long long s = std::llround(std::max(seconds, 0.0));
    char buf[32];
    if (s >= 3600) std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    else std::snprintf(buf, sizeof buf, "%lld:%02lld", s / 60, s % 60);
    return buf;
}

SweepProgress::SweepProgress(std::ostream& err, bool terminal, int total, int done)
    : err_(err), terminal_(terminal), total_(total), done_(done), resumed_(done) {
    if (done > 0) err_ << "sweep: " << done << " of " << total << " runs already in the results file\n";
}

double SweepProgress::elapsed() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void SweepProgress::finished(const RunRecord& r, const std::string& note) {
    ++done_;
    if (r.outcome == Outcome::not_converged) ++not_converged_;
    if (!has_outcome(r)) ++failed_;
    if (terminal_) {
        if (!has_outcome(r)) {
            err_ << "\r\033[K"
                 << "sweep: run " << results_row(r) << ": " << (note.empty() ? "no outcome" : note) << '\n';
        }
        draw();
        return;
    }
    const RunSetting& s = r.key.setting;
    err_ << "run " << done_ << "/" << total_ << ": alpha=" << number_text(s.alpha) << " beta=" << number_text(s.beta)
         << " gamma=" << number_text(s.gamma) << " reinf=" << number_text(s.reinf)
         << " random=" << (s.random ? "on" : "off");
    if (r.key.seed) err_ << " seed=" << *r.key.seed;
    switch (r.outcome) {
        case Outcome::converged: err_ << ": success at " << number_text(r.trials) << " trials"; break;
        case Outcome::not_converged: err_ << ": no success in " << number_text(r.trials) << " trials"; break;
        case Outcome::timeout: err_ << ": timed out"; break;
        case Outcome::crash: err_ << ": crashed"; break;
        case Outcome::error: err_ << ": failed"; break;
    }
    if (!note.empty()) err_ << " (" << note << ")";
    char secs[32];
    std::snprintf(secs, sizeof secs, "%.2f", r.seconds);
    err_ << ", " << secs << " s\n" << std::flush;
}

void SweepProgress::tick() {
    if (!terminal_) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - drawn_ < std::chrono::milliseconds(200)) return;
    draw();
}

void SweepProgress::draw() {
    drawn_ = std::chrono::steady_clock::now();
    const double t = elapsed();
    const int ran = done_ - resumed_;
    std::string left = "?";
    if (ran > 0) left = clock_text(t / ran * (total_ - done_));
    err_ << "\r\033[K"
         << "sweep: " << done_ << "/" << total_ << " runs, " << not_converged_ << " not converged, " << failed_
         << " failed, " << clock_text(t) << " elapsed, " << left << " left" << std::flush;
}

void SweepProgress::close(int workers) {
    if (terminal_) {
        draw();
        err_ << '\n';
    }
    const int ran = done_ - resumed_;
    const double t = elapsed();
    char rate[64];
    std::snprintf(rate, sizeof rate, "%.2f", t > 0 ? ran / t : 0.0);
    err_ << "sweep: " << ran << " runs in " << clock_text(t) << " (" << rate << " runs/s with " << workers
         << (workers == 1 ? " worker" : " workers") << "), " << not_converged_ << " not converged, " << failed_
         << " failed\n"
         << std::flush;
}

}  // namespace sys::sweep
