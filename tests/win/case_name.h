#pragma once

#include <string>

#include <gtest/gtest.h>

namespace kx27::test {

// Names a parameterised test after the `name` of its case.
struct CaseName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& case_info) const {
    return case_info.param.name;
  }
};

}  // namespace kx27::test
