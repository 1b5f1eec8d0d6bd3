#include "designer/core/RenderCommand.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <ostream>

#include "common/ShiftJis.h"
#include "designer/core/Document.h"
#include "designer/core/KyrelApp.h"
#include "designer/core/Normalize.h"
#include "designer/core/WavCommands.h"

namespace kyrel {

namespace {

constexpr const char* kUsage =
    "usage: kyrel --render [PROJECT.kyl] OUT.wav [--seed N] [--normalize]\n";

// Messages go to standard error; the progress bar redraws one line there while rendering.
class ConsoleUi : public KyrelUi {
  public:
    ConsoleUi(std::ostream& err, bool showProgress) : err_(err), showProgress_(showProgress) {}

    MessageAnswer showMessage(std::string_view message, std::string_view caption,
                              MessageButtons buttons) override {
        err_ << kit::sjisToUtf8Lossy(caption) << ": " << kit::sjisToUtf8Lossy(message) << '\n';
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }

    bool runRender(const std::function<bool(RenderProgress&)>& render) override {
        // A log file or a pipe would fill with carriage-return lines.
        if (!showProgress_) return KyrelUi::runRender(render);
        Bar bar(err_);
        bool completed = render(bar);
        bar.finish();
        return completed;
    }

  private:
    class Bar : public RenderProgress {
      public:
        explicit Bar(std::ostream& err) : err_(err) {}
        void progress(int percent) override {
            if (percent == shown_) return;
            shown_ = percent;
            constexpr int kWidth = 40;
            const int filled = percent * kWidth / 100;
            err_ << "\rrendering [" << std::string(static_cast<std::size_t>(filled), '#')
                 << std::string(static_cast<std::size_t>(kWidth - filled), ' ') << "] " << percent
                 << "%" << std::flush;
        }
        void finish() {
            if (shown_ >= 0) err_ << "\rrendering [" << std::string(40, '#') << "] done\n";
        }

      private:
        std::ostream& err_;
        int shown_ = -1;
    };

    std::ostream& err_;
    bool showProgress_;
};

}  // namespace

std::optional<std::uint32_t> parseSeed(const std::string& text) {
    // Any 32-bit value: the generator's state is 32 bits, and a negative N wraps as in C.
    long long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < -2147483648LL || value > 4294967295LL) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

bool isRenderCommand(const std::vector<std::string>& args) {
    for (const std::string& arg : args)
        if (arg == "--render") return true;
    return false;
}

int runRenderCommand(const std::vector<std::string>& args, std::ostream& err, bool showProgress) {
    std::vector<std::string> files;
    std::optional<std::uint32_t> seed;
    bool normalize = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--render") continue;
        if (arg == "--normalize") {
            normalize = true;
            continue;
        }
        if (arg == "--seed") {
            if (i + 1 >= args.size() || !(seed = parseSeed(args[i + 1]))) {
                err << "kyrel: --seed needs a whole number\n" << kUsage;
                return 2;
            }
            ++i;
        } else if (arg.size() > 1 && arg[0] == '-') {
            err << "kyrel: unknown option " << arg << '\n' << kUsage;
            return 2;
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty() || files.size() > 2) {
        err << kUsage;
        return 2;
    }

    ConsoleUi ui(err, showProgress);
    const auto now = static_cast<std::uint32_t>(std::time(nullptr));
    auto app = std::make_unique<KyrelApp>(ui, seed.value_or(now));
    if (files.size() == 2 && !loadProject(*app, files[0])) return 1;
    if (normalize && !commandNormalize(*app)) return 1;
    return writeWavExactly(*app, files.back(), err);
}

int writeWavExactly(KyrelApp& app, const std::string& out, std::ostream& err) {
    // The command line names its output exactly: the window's rule that rewrites the text
    // after the last dot to "wav" does not apply here.
    std::optional<std::string> written = CreateWavFile(app, out, "");
    if (!written) return 1;
    if (*written != out && std::rename(written->c_str(), out.c_str()) != 0) {
        err << "kyrel: cannot rename " << *written << " to " << out << '\n';
        std::remove(written->c_str());
        return 1;
    }
    return 0;
}

}  // namespace kyrel
