#include "app/command_line.h"

namespace coilrun {

namespace {

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine c;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--verify" || a == "--replay") {
            if (i + 1 >= args.size()) {
                c.error = a + " needs the file of a run";
                return c;
            }
            c.mode = a == "--verify" ? CommandLine::Mode::verify : CommandLine::Mode::replay;
            c.file = args[++i];
            return c;
        }
        if (a.size() > 8 && endsWith(a, ".coilrun") && a[0] != '-') {
            c.mode = CommandLine::Mode::replay;
            c.file = a;
            return c;
        }
    }
    return c;
}

} // namespace coilrun
