// Table rows grouped by the result that every input of the group must give.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

template <typename Result>
using Groups = std::vector<std::pair<Result, std::vector<std::string>>>;

// The input as a failure names it: a long one by its start and its length.
inline std::string Shown(const std::string& s) {
    return s.size() < 80 ? s : s.substr(0, 20) + "... (" + std::to_string(s.size()) + " characters)";
}

template <typename Result, typename Check>
void ExpectGroups(const Groups<Result>& groups, Check check) {
    for (const auto& [result, inputs] : groups)
        for (const std::string& input : inputs) EXPECT_EQ(check(input), result) << "input: " << Shown(input);
}
