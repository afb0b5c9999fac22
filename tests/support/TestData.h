#pragma once
// The damaged and forged files in tests/data that earlier faults were found with; the README
// there names the fault behind each one.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace glimmora::testing {

inline std::filesystem::path TestDataPath(const std::string& name) {
  return std::filesystem::path(GLIMMORA_TEST_DATA) / name;
}

// The whole file; a missing one fails the test that wanted it rather than passing on no bytes.
inline std::string TestDataBytes(const std::string& name) {
  std::ifstream in(TestDataPath(name), std::ios::binary);
  EXPECT_TRUE(in.good()) << TestDataPath(name) << " is missing";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace glimmora::testing
