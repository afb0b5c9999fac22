#pragma once
// A Prompter for tests: answers from a queue and records every request.

#include <deque>
#include <stdexcept>
#include <vector>

#include "common/Prompter.h"

namespace glimmora::testing {

class ScriptedPrompter : public Prompter {
 public:
  // Answers to give, in order. When the queue is empty, `fallback` is given.
  std::deque<PromptAnswer> answers;
  PromptAnswer fallback = PromptAnswer::Ok;
  std::vector<PromptRequest> asked;

  PromptAnswer Ask(const PromptRequest& request) override {
    asked.push_back(request);
    if (answers.empty()) return fallback;
    const PromptAnswer a = answers.front();
    answers.pop_front();
    return a;
  }

  std::vector<int> RowsAsked() const {
    std::vector<int> rows;
    for (const auto& r : asked) rows.push_back(r.row);
    return rows;
  }

  // What Enter would have answered at each question asked.
  std::vector<PromptAnswer> DefaultsAsked() const {
    std::vector<PromptAnswer> answers;
    for (const auto& r : asked) answers.push_back(DefaultAnswer(r));
    return answers;
  }
};

}  // namespace glimmora::testing
