#include "tools/kitgame/GameBuild.h"

#include <cstdlib>
#include <map>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "common/AtomicFile.h"
#include "common/TemporaryDirectory.h"
#include "common/WholeFile.h"
#include "tools/kitgame/BuildRecord.h"
#include "tools/kitgame/GameId.h"
#include "tools/kitgame/GameSources.h"

namespace kitgame {

namespace fs = std::filesystem;

namespace {

constexpr const char* kGameIdName = "game.id";

// The identity a game gets when its source has no game.id: the source folder's name.
std::string writeFolderIdentity(Conversion& c) {
    const std::string why = kit::writeFileAtomically(c.output, gameIdOfFolder(c.source) + "\n");
    return why.empty() ? why : "cannot write " + c.output.string() + ": " + why;
}
constexpr SourceKind kFolderIdentity{kGameIdName, "", writeFolderIdentity};

struct Job {
    fs::path source;  // relative to the source folder; empty for the folder's own identity
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
                             int& failed) {
    std::error_code ec, entryError;
    const fs::path outInsideSrc =
        fs::weakly_canonical(out, ec).lexically_relative(fs::weakly_canonical(src, ec));
    const bool outIsInside = !outInsideSrc.empty() && !outInsideSrc.string().starts_with("..");
    std::map<fs::path, Job> byOutput;
    const auto add = [&](Job job) {
        auto [place, added] = byOutput.try_emplace(job.rule.output, job);
        if (added) return;
        Job& kept = place->second;
        const std::string clash =
            clashBetween(src / kept.source, kept.rule, src / job.source, job.rule);
        if (!clash.empty()) {
            log << (src / job.source).string() << ": " << clash << "\n";
            ++failed;
            return;
        }
        // Sources that agree make one output: an attribute file of its own (which may hold more
        // than blocking) before a Tiled map's, else the first Tiled map by name.
        const bool tiledKept = isTiledAttributes(kept.rule);
        const bool tiledNew = isTiledAttributes(job.rule);
        if ((tiledKept && !tiledNew) || (tiledKept && tiledNew && job.source < kept.source))
            kept = std::move(job);
    };
    for (auto it = fs::recursive_directory_iterator(src, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::path relative = it->path().lexically_relative(src);
        if (passedOver(relative, outIsInside ? outInsideSrc : fs::path())) {
            if (it->is_directory(entryError)) it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file(entryError)) continue;
        const std::optional<SourceRule> rule = ruleFor(relative);
        if (!rule) continue;
        add(Job{relative, *rule});
        // A Tiled map may also make its tile set's attributes.
        if (const auto attributes = tileAttributesRuleFor(src / relative))
            add(Job{relative, *attributes});
    }
    if (ec) {
        log << src.string() << ": " << ec.message() << "\n";
        ++failed;
    }
    byOutput.try_emplace(kGameIdName, Job{fs::path(), SourceRule{&kFolderIdentity, kGameIdName}});
    std::vector<Job> jobs;
    for (auto& [output, job] : byOutput) jobs.push_back(std::move(job));
    return jobs;
}

// The stamps of a job's source and of the files it included, paths relative to `src`.
std::vector<std::pair<fs::path, FileStamp>> inputStamps(const fs::path& src, const Job& job,
                                                        const std::vector<fs::path>& included) {
    std::vector<std::pair<fs::path, FileStamp>> inputs;
    if (!job.source.empty())
        inputs.emplace_back(job.source, stampOf(src / job.source).value_or(FileStamp{}));
    for (const fs::path& file : included)
        inputs.emplace_back(file.lexically_normal().lexically_relative(src),
                            stampOf(file).value_or(FileStamp{}));
    return inputs;
}

// Whether the output `built` describes still stands for the job: same source, every input as
// recorded, made after the converters. The folder's own identity is compared by its text.
bool inputsUnchanged(const fs::path& src, const fs::path& output, const Job& job,
                     const BuiltFile& built, fs::file_time_type convertersTime) {
    if (built.source != job.source || built.written.time < stampTime(convertersTime)) return false;
    for (const auto& [input, stamp] : built.inputs)
        if (stampOf(src / input) != stamp) return false;
    if (!job.source.empty()) return !built.inputs.empty();
    const auto bytes = kit::readWholeFile(output);
    return bytes && std::string(bytes->begin(), bytes->end()) == gameIdOfFolder(src) + "\n";
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

class Builder {
  public:
    Builder(const fs::path& src, const fs::path& out, const BuildOptions& options,
            std::ostream& log)
        : src_(src), out_(out), options_(options), log_(log) {
        if (const auto text = kit::readWholeFile(out / kBuildRecordName))
            last_ = parseBuildRecord(
                std::string_view(reinterpret_cast<const char*>(text->data()), text->size()));
        if (!options.projectDir) scratch_.emplace();
        projects_ = options.projectDir ? *options.projectDir : scratch_->path();
    }

    void build(const Job& job) {
        const fs::path output = out_ / job.rule.output;
        const std::optional<FileStamp> now = stampOf(output);
        const auto last = last_.find(job.rule.output);
        const bool known = now && last != last_.end();
        const bool current =
            known && inputsUnchanged(src_, output, job, last->second, options_.convertersTime);
        if (known && !unchangedSinceBuilt(output, last->second)) {
            // Changed after the last build wrote it: the change is never lost silently.
            record_[job.rule.output] = last->second;
            if (current) {
                log_ << output.string() << ": changed since the last build wrote it; kept, but "
                     << sourceName(job) << " does not hold the change\n";
                ++report_.upToDate;
            } else {
                log_ << output.string() << ": changed since the last build wrote it; not replaced "
                     << "with " << sourceName(job)
                     << ". Move the change into the source, or delete the file to build it again\n";
                ++report_.failed;
            }
            return;
        }
        if (current) {
            // A copy or a touch changes the stamp, not the bytes: the new stamp is kept.
            record_[job.rule.output] = last->second;
            record_[job.rule.output].written = *now;
            ++report_.upToDate;
            return;
        }
        convert(job, output);
    }

    // Removes what the last build made from sources that are gone.
    void removeStale() {
        for (const auto& [output, built] : last_) {
            if (record_.contains(output) || !stampOf(out_ / output)) continue;
            const fs::path path = out_ / output;
            const std::string from = built.source.empty() ? std::string("the source folder's name")
                                                          : (src_ / built.source).string();
            if (!unchangedSinceBuilt(path, built)) {
                log_ << path.string() << ": its source " << from << " is gone, but the file was "
                     << "changed since the last build wrote it; kept. Delete it or move it into "
                     << "the source\n";
                record_[output] = built;
                ++report_.failed;
                continue;
            }
            std::error_code ec;
            fs::remove(path, ec);
            for (fs::path dir = path.parent_path(); !ec && dir != out_ && fs::is_empty(dir, ec);
                 dir = dir.parent_path())
                fs::remove(dir, ec);
            // A source that is still there but no longer makes this file (a Tiled map without
            // `blocks`, say) is not "gone".
            const bool sourceKept = !built.source.empty() && fs::exists(src_ / built.source, ec);
            log_ << "kit-game: removed " << path.string() << " (" << from
                 << (sourceKept ? " no longer makes it)\n" : " is gone)\n");
            ++report_.removed;
        }
    }

    void countFailures(int failed) { report_.failed += failed; }

    BuildReport finish() {
        std::error_code ec;
        fs::create_directories(out_, ec);
        if (record_ != last_) {
            const std::string why =
                kit::writeFileAtomically(out_ / kBuildRecordName, formatBuildRecord(record_));
            if (!why.empty()) {
                log_ << (out_ / kBuildRecordName).string() << ": cannot write: " << why << "\n";
                ++report_.failed;
            }
        }
        log_ << "kit-game: " << out_.string() << ": " << report_.converted << " converted, "
             << report_.upToDate << " up to date";
        if (report_.removed) log_ << ", " << report_.removed << " removed";
        if (report_.failed) log_ << ", " << report_.failed << " failed";
        log_ << "\n";
        return report_;
    }

  private:
    std::string sourceName(const Job& job) const {
        return job.source.empty() ? "the source folder's name" : (src_ / job.source).string();
    }

    void convert(const Job& job, const fs::path& output) {
        Conversion conversion{job.source.empty() ? src_ : src_ / job.source,
                              output,
                              projects_ / job.source.parent_path(),
                              {},
                              {}};
        // Stamped before converting, so that a source changed meanwhile is converted again.
        const std::optional<FileStamp> source = stampOf(conversion.source);
        const std::string why = convertSource(*job.rule.kind, conversion);
        for (const std::string& warning : conversion.warnings)
            log_ << conversion.source.string() << ": " << warning << "\n";
        if (!why.empty()) {
            log_ << conversion.source.string() << ": " << why << "\n";
            ++report_.failed;
            // The output was left as it was: so is its record.
            if (auto last = last_.find(job.rule.output); last != last_.end())
                record_[job.rule.output] = last->second;
            return;
        }
        ++report_.converted;
        BuiltFile built{job.source, stampOf(output).value_or(FileStamp{}),
                        checksumOf(output).value_or(0),
                        inputStamps(src_, job, conversion.included)};
        if (!built.inputs.empty() && source) built.inputs.front().second = *source;
        record_[job.rule.output] = std::move(built);
    }

    const fs::path& src_;
    const fs::path& out_;
    const BuildOptions& options_;
    std::ostream& log_;
    BuildRecord last_, record_;
    std::optional<ScratchDir> scratch_;
    fs::path projects_;
    BuildReport report_;
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
    int failed = 0;
    const std::vector<Job> jobs = collectJobs(src, out, log, failed);
    Builder builder(src, out, options, log);
    for (const Job& job : jobs) builder.build(job);
    builder.removeStale();
    builder.countFailures(failed);
    return builder.finish();
}

}  // namespace kitgame
