// Table rows grouped by the result that every input of the group must give.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

template <typename Result>
using Groups = std::vector<std::pair<Result, std::vector<std::string>>>;

template <typename Result, typename Check>
void ExpectGroups(const Groups<Result>& groups, Check check) {
    for (const auto& [result, inputs] : groups)
        for (const std::string& input : inputs) EXPECT_EQ(check(input), result) << "input: " << input;
}
