#pragma once

#include <string>

#include <gtest/gtest.h>

namespace kx27::test {

// Names a parameterised test after the `name` of its case. The cases also
// print as their name, which gtest_discover_tests puts into CTest's names.
struct CaseName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& case_info) const {
    return case_info.param.name;
  }
};

}  // namespace kx27::test
