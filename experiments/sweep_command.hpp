#pragma once
// `tavrin sweep`: many learning runs over settings and seeds, in worker
// processes, with a results CSV that resumes, a summary table, a plot,
// shards for job arrays and the merge of their files.
//
//   tavrin sweep [--alpha LIST] [--beta LIST] [--gamma LIST] [--reinf LIST]
//                [--random on|off] [--seeds LIST] [--max-trials N] [--jobs N]
//                [--max-seconds S] [--out FILE.csv] [--plot FILE.png]
//                [--shard I/N]
//   tavrin sweep --merge OUT.csv IN.csv... [--plot FILE.png]
//
// Bad input is one line on standard error and status 2, before any run
// starts. Otherwise the status is 0, or 1 when a run crashed, timed out or
// failed (its row says which), or 130 when the sweep was interrupted.

#include <string>

namespace sys::sweep {

// `argv[0]` is "sweep"; `program` is the tavrin executable the workers run.
int sweep_main(int argc, const char* const* argv, const std::string& program);

}  // namespace sys::sweep
