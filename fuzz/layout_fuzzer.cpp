// Layout files: each input is the content of a layout file, opened the way
// the program opens its window (openfig, which loads and places it), then
// read for its tagged handles and given them as window data. A clear error
// (rt::Error) is the only acceptable failure.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/fuzzed_program.hpp"
#include "runtime/array/error.hpp"
#include "runtime/call/feval.hpp"

namespace {

namespace fs = std::filesystem;

// One file per fuzzing process, rewritten for every input; its folder goes
// when the process ends.
class ScratchFile {
public:
    ScratchFile() : folder_(fs::temp_directory_path() / ("tavrin-fuzz-" + std::to_string(getpid()))) {
        fs::create_directories(folder_);
    }
    ~ScratchFile() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    fs::path path() const { return folder_ / "layout.fig"; }

private:
    fs::path folder_;
};

const fs::path& layout_path() {
    static const ScratchFile scratch;
    static const fs::path path = scratch.path();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    {
        std::ofstream file(layout_path(), std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
    }
    fuzz::FuzzedProgram program(false);
    try {
        const rt::Value open_args[] = {rt::Value::string(layout_path().string()), rt::Value::string("new")};
        const rt::Value window = rt::feval("openfig", 1, open_args)[0];
        const rt::Value handles = rt::feval("guihandles", 1, {&window, 1})[0];
        const rt::Value keep[] = {window, handles};
        rt::feval("guidata", 0, keep);
        const rt::Value place[] = {window, rt::Value::string("north")};
        rt::feval("movegui", 0, place);
    } catch (const rt::Error&) {
    }
    return 0;
}
