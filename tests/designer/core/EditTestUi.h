#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "designer/core/KyrelUi.h"

namespace kyrel::testing {

// A user interface that records every message and answers questions from a script.
class EditTestUi : public KyrelUi {
  public:
    struct Shown {
        std::string text;
        std::string caption;
    };

    MessageAnswer showMessage(std::string_view text, std::string_view caption,
                              MessageButtons buttons) override {
        messages.push_back({std::string(text), std::string(caption)});
        if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
        return answer;
    }

    std::vector<Shown> messages;
    MessageAnswer answer = MessageAnswer::Yes;
};

}  // namespace kyrel::testing
