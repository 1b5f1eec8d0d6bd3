#include "tools/kitgame/GameBuild.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "common/TemporaryDirectory.h"
#include "tools/kitgame/GameSources.h"

namespace kitgame {

namespace fs = std::filesystem;

namespace {

struct Job {
    fs::path source;  // relative to the source folder
    SourceRule rule;  // kind and output, relative to the game directory
};

bool passedOver(const fs::path& relative, const fs::path& outInsideSrc) {
    if (!outInsideSrc.empty() &&
        (relative == outInsideSrc || relative.string().starts_with(outInsideSrc.string() + "/")))
        return true;
    if (relative.begin()->string() == "build") return true;
    for (const fs::path& part : relative)
        if (part.string().starts_with(".")) return true;
    return false;
}

// The files to convert, in path order; two sources of one output are refused.
std::vector<Job> collectJobs(const fs::path& src, const fs::path& out, std::ostream& log,
                             int& failed, fs::file_time_type& newestPart) {
    std::error_code ec, entryError;
    const fs::path outInsideSrc =
        fs::weakly_canonical(out, ec).lexically_relative(fs::weakly_canonical(src, ec));
    const bool outIsInside = !outInsideSrc.empty() && !outInsideSrc.string().starts_with("..");
    std::map<fs::path, Job> byOutput;
    for (auto it = fs::recursive_directory_iterator(src, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::path relative = it->path().lexically_relative(src);
        if (passedOver(relative, outIsInside ? outInsideSrc : fs::path())) {
            if (it->is_directory(entryError)) it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file(entryError)) continue;
        if (relative.extension() == ".inc")
            newestPart = std::max(newestPart, fs::last_write_time(it->path(), entryError));
        const std::optional<SourceRule> rule = ruleFor(relative);
        if (!rule) continue;
        auto [place, added] = byOutput.try_emplace(rule->output, Job{relative, *rule});
        if (!added) {
            log << (src / relative).string() << ": makes " << rule->output.string() << " like "
                << (src / place->second.source).string() << "; keep only one\n";
            ++failed;
        }
    }
    if (ec) {
        log << src.string() << ": " << ec.message() << "\n";
        ++failed;
    }
    std::vector<Job> jobs;
    for (auto& [output, job] : byOutput) jobs.push_back(std::move(job));
    return jobs;
}

bool upToDate(const fs::path& source, const fs::path& output, SourceKind kind,
              fs::file_time_type newestPart, fs::file_time_type convertersTime) {
    std::error_code ec;
    const auto built = fs::last_write_time(output, ec);
    if (ec || built < convertersTime) return false;
    const auto changed = fs::last_write_time(source, ec);
    if (ec || changed > built) return false;
    return kind != SourceKind::Picture || newestPart <= built;
}

// A temporary folder for the Kyrel projects of one build, removed with this object.
class ScratchDir {
  public:
    ScratchDir() : path_(kit::makeTemporaryDirectory("kit-game-").value_or(fs::path())) {}
    ~ScratchDir() {
        std::error_code ec;
        if (!path_.empty()) fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

}  // namespace

BuildReport buildGame(const fs::path& src, const fs::path& out, const BuildOptions& options,
                      std::ostream& log) {
    BuildReport report;
    std::error_code ec;
    if (!fs::is_directory(src, ec)) {
        log << src.string() << ": no such source folder\n";
        report.failed = 1;
        return report;
    }
    // Outputs among their sources would be taken for ready files by the next build.
    if (fs::weakly_canonical(out, ec) == fs::weakly_canonical(src, ec)) {
        log << out.string() << ": the game directory must not be the source folder\n";
        report.failed = 1;
        return report;
    }
    fs::file_time_type newestPart = fs::file_time_type::min();
    const std::vector<Job> jobs = collectJobs(src, out, log, report.failed, newestPart);
    std::optional<ScratchDir> scratch;
    if (!options.projectDir) scratch.emplace();
    const fs::path projects = options.projectDir ? *options.projectDir : scratch->path();
    for (const Job& job : jobs) {
        const fs::path source = src / job.source;
        const fs::path output = out / job.rule.output;
        if (upToDate(source, output, job.rule.kind, newestPart, options.convertersTime)) {
            ++report.upToDate;
            continue;
        }
        const std::string why =
            convertSource(job.rule.kind, source, output, projects / job.source.parent_path());
        if (why.empty()) {
            ++report.converted;
        } else {
            log << source.string() << ": " << why << "\n";
            ++report.failed;
        }
    }
    log << "kit-game: " << out.string() << ": " << report.converted << " converted, "
        << report.upToDate << " up to date";
    if (report.failed) log << ", " << report.failed << " failed";
    log << "\n";
    return report;
}

}  // namespace kitgame
